#pragma once
// LHA -lh1-: LZ with a 4 KiB window, lengths and literals in an adaptive Huffman code.
#include "archive/decoders/DecoderIo.h"

namespace kv::arc {

// Raises eBadBlock on truncated data or a distance before the member's start.
void Lh1Decode(PackedInput& in, DecodedOutput& out);

}  // namespace kv::arc
