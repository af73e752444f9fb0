#pragma once
// ZOO method 1 (LZD): LZW with codes of 9 to 13 bits, clear code 256, end code 257.
#include "archive/decoders/DecoderIo.h"

namespace kv::arc {

// Raises eBadBlock on a code not yet defined, on data that ends before the end code
// or the declared size, and eStackOverflow should a string outgrow the table.
void LzdDecode(PackedInput& in, DecodedOutput& out);

}  // namespace kv::arc
