#include "archive/decoders/LzhTable.h"

#include <array>

namespace kv::arc {

void LzhTable::Build(std::span<const std::uint8_t> lengths, int tableBits) {
    constant_ = -1;
    tableBits_ = tableBits;
    const int subBits = kMaxLength - tableBits;
    subMask_ = (1u << subBits) - 1;
    entries_.assign(std::size_t{1} << tableBits, 0);

    std::array<std::uint32_t, kMaxLength + 1> count{};
    for (std::uint8_t len : lengths) {
        if (len > kMaxLength) throw E_RAISE(eBadHuffmanCode);
        ++count[len];
    }
    std::array<std::uint32_t, kMaxLength + 2> next{};
    std::uint32_t space = 0;
    for (int len = 1; len <= kMaxLength; ++len) {
        next[len] = space >> (kMaxLength - len);
        space += count[len] << (kMaxLength - len);
    }
    if (space == 0) return;
    if (space != (1u << kMaxLength)) throw E_RAISE(eBadHuffmanCode);

    for (std::size_t symbol = 0; symbol < lengths.size(); ++symbol) {
        const int len = lengths[symbol];
        if (len == 0) continue;
        const std::uint32_t code = next[len]++;
        const std::uint32_t entry = static_cast<std::uint32_t>(symbol) << 8 | static_cast<std::uint32_t>(len);
        if (len <= tableBits) {
            const std::uint32_t first = code << (tableBits - len);
            for (std::uint32_t i = 0; i < (1u << (tableBits - len)); ++i) entries_[first + i] = entry;
            continue;
        }
        const std::size_t head = code >> (len - tableBits);
        if (entries_[head] == 0) {
            entries_[head] = static_cast<std::uint32_t>(entries_.size()) << 8 | kSub;
            entries_.resize(entries_.size() + (std::size_t{1} << subBits), 0);
        }
        const std::uint32_t low = code & ((1u << (len - tableBits)) - 1);
        const std::uint32_t first = (entries_[head] >> 8) + (low << (kMaxLength - len));
        for (std::uint32_t i = 0; i < (1u << (kMaxLength - len)); ++i) entries_[first + i] = entry;
    }
}

}  // namespace kv::arc
