#pragma once
// A ZIP member's data by its compression method.
#include <cstdint>

#include "archive/decoders/DecoderIo.h"

namespace kv::arc {

// Decodes by the central header's method and general-purpose flags; methods this
// library has no decoder for raise eUnsupportedMethod.
void DecodeZipMember(PackedInput& in, DecodedOutput& out, int method, std::uint16_t flags);

}  // namespace kv::arc
