#include "archive/ClassifySignature.h"

namespace kv::arc {

namespace {

struct Row {
    bool (*test)(std::uint32_t s);
    TArcType atStart;
    TArcType inside;
};

constexpr std::uint16_t low(std::uint32_t s) { return static_cast<std::uint16_t>(s & 0xFFFF); }

// In test order. ARC accepts every method byte 1..9 of its first member: small files
// are stored, packed or squeezed, not only crunched or squashed.
constexpr Row kRows[] = {
    {[](std::uint32_t s) { return low(s) == 0x4B50; }, atZIP, atZipExe},
    {[](std::uint32_t s) { return s == 0x4643534D; }, atCAB, atNA},
    {[](std::uint32_t s) { return s == 0x50000000; }, atZip250, atZip250Exe},
    {[](std::uint32_t s) { return s == 0x07054842; }, atBH, atBHExe},
    {[](std::uint32_t s) { return low(s) == 0x4148; }, atHA, atNA},
    {[](std::uint32_t s) {
         std::uint16_t w = low(s);
         return w == 0x8B1F || w == 0x9D1F || w == 0x9E1F || w == 0x1E1F || w == 0xA01F;
     },
     atGZip, atNA},
    {[](std::uint32_t s) { return low(s) == 0xEA60; }, atARJ, atArjExe},
    {[](std::uint32_t s) { return low(s) == 0x4F5A; }, atZOO, atNA},
    {[](std::uint32_t s) { return (s >> 16) == 0x6C2D; }, atLHA, atLhaExe},
    {[](std::uint32_t s) { return low(s) == 0x6152; }, atRAR, atRarExe},
    {[](std::uint32_t s) { return low(s) == 0x0A1A || low(s) == 0x0B1A; }, atPAK, atPakExe},
    {[](std::uint32_t s) { return (s & 0xFF) == 0x1A && ((s >> 8) & 0xFF) >= 1 && ((s >> 8) & 0xFF) <= 9; }, atARC,
     atArcExe},
};

}  // namespace

TArcType ClassifySignature(bool atStart, std::uint32_t s, std::uint64_t& start) {
    for (const Row& r : kRows)
        if (r.test(s)) return atStart ? r.atStart : r.inside;
    if (low(s) == 0x92B7 || low(s) == 0xDFB7) {
        start = 7716;
        return atArcExe;
    }
    return atUnknown;
}

}  // namespace kv::arc
