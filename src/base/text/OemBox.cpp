#include "base/text/OemBox.h"

#include <array>
#include <cstdint>
#include <initializer_list>

namespace kv {

namespace {

struct Range {
    std::uint8_t first, last;
};

constexpr std::array<std::uint8_t, 256> makeTable() {
    std::array<std::uint8_t, 256> t{};
    for (int i = 0; i < 256; ++i)
        t[i] = static_cast<std::uint8_t>(i);
    auto set = [&t](std::initializer_list<Range> ranges, std::uint8_t to) {
        for (Range r : ranges)
            for (int c = r.first; c <= r.last; ++c)
                t[c] = to;
    };
    set({{0xB7, 0xB8}, {0xBB, 0xC0}, {0xC3, 0xC3}, {0xC5, 0xC5}, {0xC8, 0xC9}, {0xCE, 0xCE}, {0xD3, 0xDA}}, '+');
    set({{0xC1, 0xC2}, {0xC4, 0xC4}, {0xCA, 0xCB}, {0xCD, 0xCD}, {0xCF, 0xD2}}, '-');
    set({{0xB3, 0xB6}, {0xB9, 0xBA}, {0xC6, 0xC7}, {0xCC, 0xCC}}, '|');
    set({{0xB0, 0xB2}, {0xDB, 0xDF}, {0xF0, 0xF0}}, '#');
    set({{0xFA, 0xFA}}, 0xB7);
    set({{0xF8, 0xF9}, {0xFE, 0xFE}}, 0x95);
    return t;
}

constexpr std::array<std::uint8_t, 256> kTable = makeTable();

}  // namespace

void OemBoxToAscii(std::string& text) {
    for (char& c : text)
        c = static_cast<char>(kTable[static_cast<unsigned char>(c)]);
}

}  // namespace kv
