#pragma once
// Members kept without compression.
#include "archive/decoders/DecoderIo.h"

namespace kv::arc {

// Copies every packed byte; more than the declared size is eBadBlock.
void CopyStored(PackedInput& in, DecodedOutput& out);

}  // namespace kv::arc
