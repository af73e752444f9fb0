#include "base/text/SizeFormat.h"

#include <charconv>
#include <cmath>
#include <utility>

namespace kv {

namespace {

constexpr std::string_view kUnits[] = {"B", "kB", "MB", "GB", "TB"};
constexpr unsigned kLastUnit = 4;

// Integer-valued doubles up to the float range print exactly with precision 0.
std::string wholeText(double value) {
    char buf[64];
    const auto r = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::fixed, 0);
    return std::string(buf, r.ptr);
}

// fraction is the part of the last division below the unit, in [0, 1). Its
// shortest decimal text is its exact value here (a multiple of 1/1024, or of
// 1/10240000 for fixed-point sizes), so cutting it is truncation.
std::string compose(std::string digits, unsigned unit, double fraction, std::string_view separator) {
    if (digits.size() < 3 && unit > 0 && fraction > 0) {
        char buf[64];
        const auto r = std::to_chars(buf, buf + sizeof buf, fraction, std::chars_format::fixed);
        const std::string_view text(buf, static_cast<std::size_t>(r.ptr - buf));
        const auto dot = text.find('.');
        if (dot != std::string_view::npos) {
            const std::size_t decimals = 3 - digits.size();
            digits += separator;
            digits += text.substr(dot + 1, decimals);
        }
    }
    digits += ' ';
    digits += kUnits[unit];
    return digits;
}

std::string formatScaled(bool negative, std::uint64_t magnitude, std::uint64_t scale,
                         std::string_view separator) {
    std::uint64_t whole = magnitude / scale;
    if (negative) {
        std::string text = std::to_string(whole);
        if (whole != 0)
            text.insert(text.begin(), '-');
        return compose(std::move(text), 0, 0, separator);
    }
    unsigned unit = 0;
    double fraction = 0;
    if (whole >= 1024) {
        const std::uint64_t step = 1024 * scale;
        fraction = static_cast<double>(magnitude % step) / static_cast<double>(step);
        whole = magnitude / step;
        unit = 1;
        while (whole >= 1024 && unit < kLastUnit) {
            fraction = static_cast<double>(whole % 1024) / 1024;
            whole /= 1024;
            ++unit;
        }
    }
    return compose(std::to_string(whole), unit, fraction, separator);
}

}  // namespace

std::string FormatSize(float size, std::string_view decimalSeparator) {
    double value = std::isfinite(size) ? static_cast<double>(size) : 0.0;
    unsigned unit = 0;
    double fraction = 0;
    while (value >= 1024 && unit < kLastUnit) {
        double whole;
        fraction = std::modf(value / 1024, &whole);
        value = whole;
        ++unit;
    }
    return compose(IntToStrF(value), unit, fraction, decimalSeparator);
}

namespace detail {

std::string formatWholeSize(bool negative, std::uint64_t magnitude, std::string_view decimalSeparator) {
    return formatScaled(negative, magnitude, 1, decimalSeparator);
}

}  // namespace detail

std::string FormatSize(FixedSize size, std::string_view decimalSeparator) {
    const bool negative = size.raw < 0;
    const std::uint64_t magnitude =
        negative ? 0 - static_cast<std::uint64_t>(size.raw) : static_cast<std::uint64_t>(size.raw);
    return formatScaled(negative, magnitude, FixedSize::kScale, decimalSeparator);
}

std::string IntToStrF(double value) {
    if (!std::isfinite(value))
        return "0";
    const double whole = std::trunc(value);
    return wholeText(whole == 0 ? 0.0 : whole);
}

}  // namespace kv
