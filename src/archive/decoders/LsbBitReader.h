#pragma once
// Bits taken from the low end of each byte first (ARC squeeze and LZW, ZOO LZD).
// Past the member's last byte it feeds zero bits for a small slack, then raises
// eBadBlock, so a truncated stream ends instead of spinning.
#include <cstdint>

#include "archive/ArcError.h"
#include "archive/decoders/DecoderIo.h"

namespace kv::arc {

class LsbBitReader {
public:
    static constexpr int kSlackBits = 16;

    explicit LsbBitReader(PackedInput& in) : in_(in) {}

    // The next n bits (n <= 25), the first one in bit 0.
    std::uint32_t Get(int n) {
        while (count_ < n) {
            int b = in_.NextByte();
            if (b < 0) {
                padUsed_ += 8;
                if (padUsed_ > kSlackBits) throw E_RAISE(eBadBlock);
                b = 0;
            }
            buf_ |= static_cast<std::uint64_t>(b) << count_;
            count_ += 8;
        }
        std::uint32_t v = static_cast<std::uint32_t>(buf_ & ((std::uint64_t{1} << n) - 1));
        buf_ >>= n;
        count_ -= n;
        return v;
    }
    // True once every real input bit has been taken.
    bool Exhausted() const { return padUsed_ > 0 || (count_ == 0 && in_.Remaining() == 0); }

private:
    PackedInput& in_;
    std::uint64_t buf_ = 0;
    int count_ = 0;
    int padUsed_ = 0;
};

}  // namespace kv::arc
