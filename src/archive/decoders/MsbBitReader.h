#pragma once
// Bits taken from the high end of each byte first (LHA, ARJ). Past the member's
// last byte it feeds zero bits, since a valid stream's final code may be peeked
// with more bits than it uses; consuming more than a few bytes of that padding
// means the stream is truncated.
#include <cstdint>

#include "archive/ArcError.h"
#include "archive/decoders/DecoderIo.h"

namespace kv::arc {

class MsbBitReader {
public:
    static constexpr int kSlackBits = 16;

    explicit MsbBitReader(PackedInput& in) : in_(in) {}

    // The next n bits (n <= 25) without consuming them.
    std::uint32_t Peek(int n) {
        if (count_ < n) fill();
        return static_cast<std::uint32_t>(buf_ >> (64 - n));
    }
    void Skip(int n) {
        if (count_ < n) fill();
        buf_ <<= n;
        count_ -= n;
        if (count_ < pad_) {
            padUsed_ += pad_ - count_;
            pad_ = count_;
            if (padUsed_ > kSlackBits) throw E_RAISE(eBadBlock);
        }
    }
    std::uint32_t Get(int n) {
        if (n == 0) return 0;
        std::uint32_t v = Peek(n);
        Skip(n);
        return v;
    }

private:
    void fill() {
        while (count_ <= 56) {
            int b = in_.NextByte();
            if (b < 0) {
                b = 0;
                pad_ += 8;
            }
            buf_ |= static_cast<std::uint64_t>(b) << (56 - count_);
            count_ += 8;
        }
    }

    PackedInput& in_;
    std::uint64_t buf_ = 0;  // next bit at bit 63
    int count_ = 0;
    int pad_ = 0;  // zero bits of padding at the low end of what is buffered
    int padUsed_ = 0;
};

}  // namespace kv::arc
