#include "base/DosDateTime.h"

#include <algorithm>
#include <tuple>

namespace kv {

namespace {

constexpr int kFirstYear = 1980;
constexpr int kLastYear = 2107;

auto sortKey(const DateTime& t) { return std::tie(t.year, t.month, t.day, t.hour, t.minute, t.second); }

}  // namespace

std::uint32_t encodeDosDateTime(const DateTime& in) {
    static constexpr DateTime kFirst{kFirstYear, 1, 1, 0, 0, 0};
    static constexpr DateTime kLast{kLastYear, 12, 31, 23, 59, 59};
    DateTime t = in;
    if (sortKey(t) < sortKey(kFirst)) t = kFirst;
    if (sortKey(t) > sortKey(kLast)) t = kLast;
    // Fields beyond their bit widths must not spill into their neighbours.
    auto field = [](int v, int lo, int hi) { return static_cast<std::uint32_t>(std::clamp(v, lo, hi)); };
    std::uint32_t date = (field(t.year - kFirstYear, 0, 127) << 9) | (field(t.month, 1, 12) << 5) | field(t.day, 1, 31);
    std::uint32_t time = (field(t.hour, 0, 23) << 11) | (field(t.minute, 0, 59) << 5) | (field(t.second, 0, 59) / 2);
    return (date << 16) | time;
}

std::optional<DateTime> decodeDosDateTime(std::uint32_t value) {
    std::uint32_t date = value >> 16;
    std::uint32_t time = value & 0xFFFF;
    DateTime t;
    t.year = kFirstYear + static_cast<int>(date >> 9);
    t.month = static_cast<int>((date >> 5) & 15);
    t.day = static_cast<int>(date & 31);
    t.hour = static_cast<int>(time >> 11);
    t.minute = static_cast<int>((time >> 5) & 63);
    t.second = static_cast<int>(time & 31) * 2;
    if (t.day < 1 || t.day > daysInMonth(t.year, t.month) || t.hour > 23 || t.minute > 59 || t.second > 59)
        return std::nullopt;
    return t;
}

}  // namespace kv
