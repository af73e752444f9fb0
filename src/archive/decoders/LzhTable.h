#pragma once
// A canonical Huffman code as the LHA family stores it (code lengths only, codes
// given out in order of length, then symbol), read high bit first.
#include <cstdint>
#include <span>
#include <vector>

#include "archive/ArcError.h"
#include "archive/decoders/MsbBitReader.h"

namespace kv::arc {

class LzhTable {
public:
    static constexpr int kMaxLength = 16;

    // Builds from code lengths (0 = unused). An over- or under-full set of lengths,
    // or a length above 16, raises eBadHuffmanCode. All lengths zero gives a table
    // that raises the same as soon as it is used.
    void Build(std::span<const std::uint8_t> lengths, int tableBits);
    // Every code is `symbol`, taking no bits.
    void SetConstant(int symbol) { constant_ = symbol; }

    int Decode(MsbBitReader& bits) const {
        if (constant_ >= 0) return constant_;
        std::uint32_t peek = bits.Peek(kMaxLength);
        std::uint32_t e = entries_[peek >> (kMaxLength - tableBits_)];
        if (e & kSub) e = entries_[(e >> 8) + (peek & subMask_)];
        if (e == 0) throw E_RAISE(eBadHuffmanCode);
        bits.Skip(static_cast<int>(e & 31));
        return static_cast<int>(e >> 8);
    }

private:
    static constexpr std::uint32_t kSub = 32;

    std::vector<std::uint32_t> entries_;  // symbol << 8 | length, or offset << 8 | kSub; 0 = none
    int tableBits_ = 1;
    std::uint32_t subMask_ = 0;
    int constant_ = -1;
};

}  // namespace kv::arc
