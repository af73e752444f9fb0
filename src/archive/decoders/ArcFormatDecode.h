#pragma once
// The ARC member decoders: stored (1, 2), packed (3), squeezed (4), crunched (5-8)
// and squashed (9).
#include "archive/decoders/DecoderIo.h"

namespace kv::arc {

// Raises eUnsupportedMethod for any other method, eInvalidDecodeTree on a bad
// squeeze tree, eIncorrectBits on a bad code width, eBadBlock on damaged or
// truncated data, eStackOverflow should an LZW string outgrow its table.
void ArcDecode(PackedInput& in, DecodedOutput& out, int method);

}  // namespace kv::arc
