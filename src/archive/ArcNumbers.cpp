#include "archive/ArcNumbers.h"

#include <limits>

namespace kv::arc {

std::int64_t ParseTarNumber(std::span<const std::uint8_t> field) {
    constexpr std::int64_t kMax = std::numeric_limits<std::int64_t>::max();
    if (!field.empty() && (field[0] & 0x80)) {
        bool negative = (field[0] & 0x40) != 0;
        // Two's complement over all bytes, with the marker bit replaced by the sign.
        std::uint64_t v = negative ? ~std::uint64_t{0} : 0;
        bool overflow = false;
        for (std::size_t i = 0; i < field.size(); ++i) {
            std::uint8_t b = field[i];
            if (i == 0) b = negative ? b : static_cast<std::uint8_t>(b & 0x7F);
            if ((v >> 56) != (negative ? 0xFFu : 0u)) overflow = true;
            v = (v << 8) | b;
        }
        if (negative) {
            auto s = static_cast<std::int64_t>(v);
            return (overflow || s >= 0) ? std::numeric_limits<std::int64_t>::min() : s;
        }
        return (overflow || v > static_cast<std::uint64_t>(kMax)) ? kMax : static_cast<std::int64_t>(v);
    }
    std::int64_t v = 0;
    for (std::uint8_t c : field) {
        if (c < '0' || c > '7') continue;
        if (v > (kMax - (c - '0')) / 8) return kMax;
        v = v * 8 + (c - '0');
    }
    return v;
}

std::uint8_t CompressionRatio(std::uint64_t packed, std::uint64_t unpacked) {
    if (packed == 0 || unpacked == 0 || unpacked <= packed) return 0;
    std::uint64_t saved = unpacked - packed;
    if (saved > 100000) {
        packed /= 100;
        unpacked /= 100;
        saved = unpacked - packed;
        if (unpacked == 0) return 1;
    }
    auto r = static_cast<std::uint8_t>(saved * 100 / unpacked);
    return r == 0 ? 1 : r;
}

int ProgressDue(std::uint64_t done, std::uint64_t total, int lastPercent, int step, bool force) {
    if (done == 0 || total == 0) return -1;
    // 64-bit: done x 100 passes 32 bits for members above 21 MB.
    std::uint64_t p = done * 100 / total;
    if (p > 100) p = 100;
    int percent = static_cast<int>(p);
    if (percent == lastPercent) return -1;
    if (force || (step > 0 && percent % step == 0)) return percent;
    return -1;
}

}  // namespace kv::arc
