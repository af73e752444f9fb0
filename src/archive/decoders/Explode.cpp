#include "archive/decoders/Explode.h"

#include <algorithm>
#include <array>
#include <vector>

#include "archive/ArcError.h"
#include "archive/decoders/LsbBitReader.h"
#include "archive/decoders/LzWindow.h"

namespace kv::arc {
namespace {

constexpr int kMaxLength = 16;

// A Shannon-Fano tree as the format stores it: runs of equal bit lengths. The codes
// it gives are those of a canonical prefix code with every bit inverted, so decoding
// reads canonical codes bit by bit over the complemented input.
class ShannonFanoTree {
public:
    ShannonFanoTree(LsbBitReader& bits, int values) {
        std::vector<std::uint8_t> lengths;
        int bytes = static_cast<int>(bits.Get(8)) + 1;
        for (int i = 0; i < bytes; ++i) {
            std::uint32_t b = bits.Get(8);
            int length = static_cast<int>(b & 15) + 1;
            int run = static_cast<int>(b >> 4) + 1;
            if (static_cast<int>(lengths.size()) + run > values) throw E_RAISE(eBadBlock);
            lengths.insert(lengths.end(), run, static_cast<std::uint8_t>(length));
        }
        if (static_cast<int>(lengths.size()) != values) throw E_RAISE(eBadBlock);
        for (int len : lengths) ++count_[len];
        int left = 1;
        for (int len = 1; len <= kMaxLength; ++len) {
            left = left * 2 - count_[len];
            if (left < 0) throw E_RAISE(eAmbiguousTree);
        }
        std::array<int, kMaxLength + 2> offset{};
        for (int len = 1; len <= kMaxLength; ++len) offset[len + 1] = offset[len] + count_[len];
        symbols_.resize(lengths.size());
        for (int v = 0; v < values; ++v) symbols_[offset[lengths[v]]++] = static_cast<std::uint16_t>(v);
    }

    int Decode(LsbBitReader& bits) const {
        int code = 0, first = 0, index = 0;
        for (int len = 1; len <= kMaxLength; ++len) {
            code |= static_cast<int>(bits.Get(1) ^ 1);
            int count = count_[len];
            if (code - first < count) return symbols_[index + code - first];
            index += count;
            first = (first + count) << 1;
            code <<= 1;
        }
        throw E_RAISE(eBadBlock);  // a code the (incomplete) tree does not have
    }

private:
    std::array<int, kMaxLength + 1> count_{};
    std::vector<std::uint16_t> symbols_;
};

}  // namespace

void DecodeImplode(PackedInput& in, DecodedOutput& out, std::uint16_t flags) {
    const bool bigDictionary = (flags & 0x02) != 0;
    const bool literalTree = (flags & 0x04) != 0;
    const int lowBits = bigDictionary ? 7 : 6;
    const std::uint32_t minMatch = literalTree ? 3 : 2;

    LsbBitReader bits(in);
    LzWindow window(out, 13);
    window.PresetHistory(0, 0);  // PKZIP reads zeros before the first byte
    if (window.Done()) return window.Finish();
    std::vector<ShannonFanoTree> trees;
    if (literalTree) trees.emplace_back(bits, 256);
    ShannonFanoTree lengths(bits, 64);
    ShannonFanoTree distances(bits, 64);

    while (!window.Done()) {
        if (bits.Get(1)) {
            window.Literal(static_cast<std::uint8_t>(literalTree ? trees[0].Decode(bits) : bits.Get(8)));
            continue;
        }
        std::uint32_t low = bits.Get(lowBits);
        std::uint32_t distance = (static_cast<std::uint32_t>(distances.Decode(bits)) << lowBits | low) + 1;
        std::uint32_t length = static_cast<std::uint32_t>(lengths.Decode(bits));
        if (length == 63) length += bits.Get(8);
        length += minMatch;
        window.Copy(distance, static_cast<std::uint32_t>(std::min<std::uint64_t>(length, window.Left())));
    }
    window.Finish();
}

}  // namespace kv::arc
