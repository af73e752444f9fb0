#pragma once
// ZIP method 1 (shrunk): LZW with codes of 9 to 13 bits and partial clearing.
#include "archive/decoders/DecoderIo.h"

namespace kv::arc {

// Decodes until the declared size is reached. eBadBlock for a bad control code or a
// truncated stream, eInvalidCode for a code not yet defined, eStackOverflow for a
// string chain longer than the table.
void DecodeShrink(PackedInput& in, DecodedOutput& out);

}  // namespace kv::arc
