#include "archive/decoders/Unreduce.h"

#include <algorithm>
#include <array>

#include "archive/ArcError.h"
#include "archive/decoders/LsbBitReader.h"
#include "archive/decoders/LzWindow.h"

namespace kv::arc {
namespace {

constexpr std::uint8_t kRepeat = 144;  // marks a (length, distance) pair in the expanded text

// Bits of an index into a follower set of n entries.
int IndexBits(int n) {
    int b = 1;
    while ((1 << b) < n) ++b;
    return b;
}

class FollowerSets {
public:
    explicit FollowerSets(LsbBitReader& bits) {
        for (int c = 255; c >= 0; --c) {
            size_[c] = static_cast<std::uint8_t>(bits.Get(6));
            if (size_[c] > 32) throw E_RAISE(eBadBlock);
            for (int i = 0; i < size_[c]; ++i) sets_[c][i] = static_cast<std::uint8_t>(bits.Get(8));
        }
    }

    // The next byte of the reduced text, given the one before it.
    std::uint8_t Next(LsbBitReader& bits, std::uint8_t last) const {
        int n = size_[last];
        if (n == 0 || bits.Get(1)) return static_cast<std::uint8_t>(bits.Get(8));
        std::uint32_t i = bits.Get(IndexBits(n));
        if (i >= static_cast<std::uint32_t>(n)) throw E_RAISE(eBadBlock);
        return sets_[last][i];
    }

private:
    std::array<std::uint8_t, 256> size_{};
    std::array<std::array<std::uint8_t, 32>, 256> sets_{};
};

}  // namespace

void DecodeReduce(PackedInput& in, DecodedOutput& out, int factor) {
    if (factor < 1 || factor > 4) throw E_RAISE(eUnsupportedMethod);
    const std::uint32_t lengthMask = 0xFFu >> factor;
    const int distanceShift = 8 - factor;

    LsbBitReader bits(in);
    LzWindow window(out, 13);
    window.PresetHistory(0, 0);  // PKZIP reads zeros before the first byte
    if (window.Done()) return window.Finish();
    FollowerSets followers(bits);

    std::uint8_t last = 0;
    auto next = [&] { return last = followers.Next(bits, last); };
    while (!window.Done()) {
        std::uint8_t c = next();
        if (c != kRepeat) {
            window.Literal(c);
            continue;
        }
        std::uint8_t v = next();
        if (v == 0) {
            window.Literal(kRepeat);
            continue;
        }
        std::uint32_t length = v & lengthMask;
        if (length == lengthMask) length += next();
        std::uint32_t distance = (static_cast<std::uint32_t>(v >> distanceShift) << 8) + next() + 1;
        window.Copy(distance, static_cast<std::uint32_t>(std::min<std::uint64_t>(length + 3, window.Left())));
    }
    window.Finish();
}

}  // namespace kv::arc
