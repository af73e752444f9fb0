#include "base/text/AnsiCase.h"

namespace kv {

namespace {

CaseMap makeCp1252() {
    CaseMap m{};
    for (int c = 0; c < 256; ++c) {
        m.upper[c] = static_cast<std::uint8_t>(c);
        m.lower[c] = static_cast<std::uint8_t>(c);
    }
    auto pair = [&m](int up, int low) {
        m.lower[up] = static_cast<std::uint8_t>(low);
        m.upper[low] = static_cast<std::uint8_t>(up);
        m.flags[up] = CaseMap::kUpper | CaseMap::kAlpha;
        m.flags[low] = CaseMap::kLower | CaseMap::kAlpha;
    };
    for (int c = 'A'; c <= 'Z'; ++c) pair(c, c + 32);
    pair(0x8A, 0x9A);  // S caron
    pair(0x8C, 0x9C);  // OE
    pair(0x8E, 0x9E);  // Z caron
    pair(0x9F, 0xFF);  // Y diaeresis
    for (int c = 0xC0; c <= 0xDE; ++c)
        if (c != 0xD7) pair(c, c + 32);  // 0xD7/0xF7 are the multiplication and division signs
    // Small letters with no capital in the code page: f hook, the ordinals, micro,
    // sharp s. The modifier circumflex is a letter of no case. All as Windows has them.
    for (int c : {0x83, 0xAA, 0xB5, 0xBA, 0xDF}) m.flags[c] = CaseMap::kLower | CaseMap::kAlpha;
    m.flags[0x88] = CaseMap::kAlpha;
    return m;
}

std::string mapBytes(std::string_view text, const std::uint8_t (&table)[256]) {
    std::string out(text);
    for (char& c : out) c = static_cast<char>(table[static_cast<unsigned char>(c)]);
    return out;
}

}  // namespace

const CaseMap& cp1252CaseMap() {
    static const CaseMap map = makeCp1252();
    return map;
}

std::string upperCase(std::string_view text, const CaseMap& map) { return mapBytes(text, map.upper); }

std::string lowerCase(std::string_view text, const CaseMap& map) { return mapBytes(text, map.lower); }

int compareNoCase(std::string_view a, std::string_view b, const CaseMap& map) {
    const std::size_t n = a.size() < b.size() ? a.size() : b.size();
    for (std::size_t i = 0; i < n; ++i) {
        const auto ua = static_cast<unsigned char>(map.toUpper(a[i]));
        const auto ub = static_cast<unsigned char>(map.toUpper(b[i]));
        if (ua != ub)
            return ua < ub ? -1 : 1;
    }
    return a.size() == b.size() ? 0 : (a.size() < b.size() ? -1 : 1);
}

}  // namespace kv
