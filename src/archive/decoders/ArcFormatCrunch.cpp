#include <array>
#include <vector>

#include "archive/decoders/ArcFormatDecoders.h"

namespace kv::arc {
namespace {

constexpr int kTableSize = 4096;
constexpr std::uint16_t kNoPrefix = 0xFFFF;

// The string table of the early 12-bit LZW: a new string's slot is a hash of
// (prefix + byte); a taken slot sends it to the end of that slot's chain and from
// there 101 slots on, probing upward for a free one.
class HashedTable {
public:
    explicit HashedTable(bool newHash) : newHash_(newHash) {
        for (int c = 0; c < 256; ++c) Add(kNoPrefix, static_cast<std::uint8_t>(c));
    }

    bool Used(int slot) const { return used_[static_cast<std::size_t>(slot)]; }
    std::uint16_t Prefix(int slot) const { return prefix_[static_cast<std::size_t>(slot)]; }
    std::uint8_t Byte(int slot) const { return byte_[static_cast<std::size_t>(slot)]; }
    bool Full() const { return count_ == kTableSize; }

    void Add(std::uint16_t prefix, std::uint8_t byte) {
        const std::uint32_t key = static_cast<std::uint16_t>(prefix + byte);
        std::uint32_t slot;
        if (newHash_) {
            slot = (key * 15073u) & 0xFFF;
        } else {
            // Mid-square: the middle bits of (key or 0x800) squared.
            const std::uint32_t k = key | 0x800;
            slot = (k * k >> 6) & 0xFFF;
        }
        if (used_[slot]) {
            while (next_[slot] != 0) slot = next_[slot];
            const std::uint32_t last = slot;
            slot = (last + 101) & 0xFFF;
            while (used_[slot]) slot = (slot + 1) & 0xFFF;
            next_[last] = static_cast<std::uint16_t>(slot);
        }
        used_[slot] = true;
        next_[slot] = 0;
        prefix_[slot] = prefix;
        byte_[slot] = byte;
        ++count_;
    }

private:
    bool newHash_;
    int count_ = 0;
    std::array<bool, kTableSize> used_{};
    std::array<std::uint16_t, kTableSize> next_{};
    std::array<std::uint16_t, kTableSize> prefix_{};
    std::array<std::uint8_t, kTableSize> byte_{};
};

// 12-bit codes, high bits first: two codes in three bytes. -1 at the end of the data.
class TwelveBitCodes {
public:
    explicit TwelveBitCodes(PackedInput& in) : in_(in) {}
    int Next() {
        const int a = in_.NextByte();
        if (a < 0) return -1;
        if (half_ >= 0) {
            const int code = (half_ & 0x0F) << 8 | a;
            half_ = -1;
            return code;
        }
        half_ = in_.NextByte();
        if (half_ < 0) return -1;
        return a << 4 | half_ >> 4;
    }

private:
    PackedInput& in_;
    int half_ = -1;  // the byte shared by two codes, while its low half is pending
};

}  // namespace

void ArcUncrunch(PackedInput& in, ArcStage& stage, bool newHash) {
    HashedTable table(newHash);
    TwelveBitCodes codes(in);
    std::vector<std::uint8_t> stack(kTableSize);
    int previous = codes.Next();
    if (previous >= 0) {
        if (!table.Used(previous) || table.Prefix(previous) != kNoPrefix) throw E_RAISE(eBadBlock);
        stage.Put(table.Byte(previous));
    }
    std::uint8_t firstByte = previous >= 0 ? table.Byte(previous) : 0;
    while (previous >= 0 && !stage.Full()) {
        const int code = codes.Next();
        if (code < 0) break;
        std::size_t depth = 0;
        int c = code;
        if (!table.Used(code)) {
            // Only the string being defined can be unknown: the previous one plus its first byte.
            stack[depth++] = firstByte;
            c = previous;
        }
        while (table.Prefix(c) != kNoPrefix) {
            if (depth == stack.size()) throw E_RAISE(eStackOverflow);
            stack[depth++] = table.Byte(c);
            c = table.Prefix(c);
        }
        if (depth == stack.size()) throw E_RAISE(eStackOverflow);
        stack[depth++] = firstByte = table.Byte(c);
        while (depth > 0) stage.Put(stack[--depth]);
        if (!table.Full()) table.Add(static_cast<std::uint16_t>(previous), firstByte);
        previous = code;
    }
    stage.End();
}

}  // namespace kv::arc
