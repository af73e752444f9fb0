#pragma once
// The archive kind of the first four bytes of an archive, by the format table's signatures.
#include <cstdint>

#include "archive/ArcType.h"

namespace kv::arc {

// s is the four bytes read as a little-endian number; atStart tells whether they
// were read at the file start or inside a program file (a self-extractor). Kinds
// that never sit inside a program give atNA there; unknown bytes give atUnknown.
// The one SEA self-extractor whose first word is 0x92B7 or 0xDFB7 moves start to
// its archive (position 7716).
TArcType ClassifySignature(bool atStart, std::uint32_t s, std::uint64_t& start);

}  // namespace kv::arc
