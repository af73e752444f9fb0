#pragma once
// Sizes summed over many files: a 64-bit fixed-point value with four decimals
// (bytes x 10000), as the catalog stores folder totals and disk space figures.
#include <cstdint>
#include <compare>

namespace kv {

struct FixedSize {
    static constexpr std::int64_t kScale = 10000;
    std::int64_t raw = 0;  // bytes x 10000, as stored

    static constexpr FixedSize fromRaw(std::int64_t r) { return FixedSize{r}; }
    static constexpr FixedSize fromBytes(std::int64_t bytes) { return FixedSize{bytes * kScale}; }
    constexpr std::int64_t bytes() const { return raw / kScale; }
    constexpr double toDouble() const { return static_cast<double>(raw) / kScale; }

    constexpr FixedSize& operator+=(FixedSize o) { raw += o.raw; return *this; }
    constexpr FixedSize& operator-=(FixedSize o) { raw -= o.raw; return *this; }
    friend constexpr FixedSize operator+(FixedSize a, FixedSize b) { return FixedSize{a.raw + b.raw}; }
    friend constexpr FixedSize operator-(FixedSize a, FixedSize b) { return FixedSize{a.raw - b.raw}; }
    friend constexpr auto operator<=>(FixedSize, FixedSize) = default;
};

}  // namespace kv
