#pragma once
// Case mapping of ANSI bytes. The code page is injected as a table; the system's
// own is system/SystemCaseMap.h.
#include <cstdint>
#include <string>
#include <string_view>

namespace kv {

struct CaseMap {
    static constexpr std::uint8_t kUpper = 1;
    static constexpr std::uint8_t kLower = 2;
    static constexpr std::uint8_t kAlpha = 4;  // set with either case, and for letters of no case

    std::uint8_t upper[256];
    std::uint8_t lower[256];
    std::uint8_t flags[256];

    bool isUpper(unsigned char c) const { return (flags[c] & kUpper) != 0; }
    bool isLower(unsigned char c) const { return (flags[c] & kLower) != 0; }
    bool isAlpha(unsigned char c) const { return (flags[c] & kAlpha) != 0; }
    char toUpper(char c) const { return static_cast<char>(upper[static_cast<unsigned char>(c)]); }
    char toLower(char c) const { return static_cast<char>(lower[static_cast<unsigned char>(c)]); }
};

// Windows-1252 (Western European).
const CaseMap& cp1252CaseMap();

std::string upperCase(std::string_view text, const CaseMap& map);
std::string lowerCase(std::string_view text, const CaseMap& map);
// Byte by byte through the upper-case table: -1, 0 or 1.
int compareNoCase(std::string_view a, std::string_view b, const CaseMap& map);

}  // namespace kv
