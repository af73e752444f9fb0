#include "base/CatalogDate.h"

#include <cmath>
#include <cstdint>

namespace kv {

namespace {

constexpr int kSecondsPerDay = 86400;
constexpr std::int64_t kEpochDays = -25569;  // 1899-12-30 counted from 1970-01-01

}  // namespace

double toCatalogDate(const DateTime& t) {
    double days = static_cast<double>(daysFromCivil(t.year, t.month, t.day) - kEpochDays);
    double time = (t.hour * 3600.0 + t.minute * 60.0 + t.second) / kSecondsPerDay;
    return days < 0 ? days - time : days + time;
}

DateTime fromCatalogDate(double value) {
    const std::int64_t firstDay = daysFromCivil(1, 1, 1) - kEpochDays;
    const std::int64_t lastDay = daysFromCivil(9999, 12, 31) - kEpochDays;
    if (std::isnan(value)) value = 0;
    if (value < static_cast<double>(firstDay)) value = static_cast<double>(firstDay);
    if (value >= static_cast<double>(lastDay + 1)) return DateTime{9999, 12, 31, 23, 59, 59};

    double whole = std::trunc(value);
    auto day = static_cast<std::int64_t>(whole);
    auto seconds = static_cast<std::int64_t>(std::llround(std::fabs(value - whole) * kSecondsPerDay));
    if (seconds >= kSecondsPerDay) {
        seconds -= kSecondsPerDay;
        ++day;
    }
    if (day > lastDay) {
        day = lastDay;
        seconds = kSecondsPerDay - 1;
    }

    DateTime t;
    civilFromDays(day + kEpochDays, t.year, t.month, t.day);
    t.hour = static_cast<int>(seconds / 3600);
    t.minute = static_cast<int>(seconds / 60 % 60);
    t.second = static_cast<int>(seconds % 60);
    return t;
}

}  // namespace kv
