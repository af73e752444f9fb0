#pragma once
// ZIP method 6 (imploded): Shannon-Fano coded literals, lengths and distances.
#include <cstdint>

#include "archive/decoders/DecoderIo.h"

namespace kv::arc {

// flags: the member's general-purpose flags; bit 1 selects the 8 KiB dictionary
// (else 4 KiB), bit 2 three trees with a literal tree and minimum match 3 (else two
// trees, plain literals, minimum match 2). Decodes until the declared size is reached.
// eBadBlock for an unreadable tree or a truncated stream, eAmbiguousTree for a tree
// whose lengths give more codes than bits allow.
void DecodeImplode(PackedInput& in, DecodedOutput& out, std::uint16_t flags);

}  // namespace kv::arc
