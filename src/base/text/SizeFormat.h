#pragma once
// Byte counts as lists, status bars and reports show them: "1023 B", "1.5 kB",
// "15 kB". Each step to the next unit divides by 1024, up to "TB" and no further.
// Decimals only when the whole part has fewer than three digits; they are cut,
// not rounded, so 1029 bytes read "1.00 kB". The decimal separator is the
// caller's (the system's number format on Windows).
#include <concepts>
#include <cstdint>
#include <string>
#include <string_view>
#include <type_traits>

#include "base/FixedSize.h"

namespace kv {

// Single file sizes and other figures that pass through a 32-bit float.
std::string FormatSize(float size, std::string_view decimalSeparator = ".");
// Folder totals and disk space, beyond what a float holds exactly.
std::string FormatSize(FixedSize size, std::string_view decimalSeparator = ".");

namespace detail {
std::string formatWholeSize(bool negative, std::uint64_t magnitude, std::string_view decimalSeparator);
}

// Exact byte counts of any integer type; a template so that an integer argument
// does not go through the float overload.
template <std::integral T>
std::string FormatSize(T bytes, std::string_view decimalSeparator = ".") {
    if constexpr (std::is_signed_v<T>) {
        const bool negative = bytes < 0;
        const auto wide = static_cast<std::int64_t>(bytes);
        const std::uint64_t magnitude =
            negative ? 0 - static_cast<std::uint64_t>(wide) : static_cast<std::uint64_t>(wide);
        return detail::formatWholeSize(negative, magnitude, decimalSeparator);
    } else {
        return detail::formatWholeSize(false, static_cast<std::uint64_t>(bytes), decimalSeparator);
    }
}

// The integer part of a float, without decimals; NaN and infinities give "0".
std::string IntToStrF(double value);

}  // namespace kv
