#pragma once
// ARJ method 4: LZ with lengths and distances in ARJ's own unary-prefixed codes, no Huffman.
#include "archive/decoders/DecoderIo.h"

namespace kv::arc {

// Raises eBadBlock on truncated data or a distance before the member's start.
void Arj4Decode(PackedInput& in, DecodedOutput& out);

}  // namespace kv::arc
