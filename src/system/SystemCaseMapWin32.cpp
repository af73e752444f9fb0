#include <windows.h>

#include "system/SystemCaseMap.h"

namespace kv {

namespace {

CaseMap makeSystemMap() {
    CaseMap m{};
    for (int c = 0; c < 256; ++c) {
        char up = static_cast<char>(c);
        char low = static_cast<char>(c);
        // Byte by byte: the text calls would stop at a 0 or treat a lead byte as a pair.
        CharUpperBuffA(&up, 1);
        CharLowerBuffA(&low, 1);
        m.upper[c] = static_cast<std::uint8_t>(up);
        m.lower[c] = static_cast<std::uint8_t>(low);
        if (c == 0) continue;
        char ch = static_cast<char>(c);
        if (IsCharUpperA(ch)) m.flags[c] |= CaseMap::kUpper;
        if (IsCharLowerA(ch)) m.flags[c] |= CaseMap::kLower;
        if (IsCharAlphaA(ch)) m.flags[c] |= CaseMap::kAlpha;
    }
    return m;
}

}  // namespace

const CaseMap& systemCaseMap() {
    static const CaseMap map = makeSystemMap();
    return map;
}

}  // namespace kv
