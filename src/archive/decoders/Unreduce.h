#pragma once
// ZIP methods 2 to 5 (reduced with compression factor 1 to 4): follower sets and the
// probabilistic expansion of repeated strings.
#include "archive/decoders/DecoderIo.h"

namespace kv::arc {

// factor: 1 to 4 (method - 1). Decodes until the declared size is reached;
// eBadBlock for a follower index outside its set or a truncated stream.
void DecodeReduce(PackedInput& in, DecodedOutput& out, int factor);

}  // namespace kv::arc
