#include "archive/ArcDates.h"

#include <algorithm>

#include "base/DosDateTime.h"

namespace kv::arc {

DateTime DosStampToDateTime(std::uint32_t stamp) {
    if (auto t = decodeDosDateTime(stamp)) return *t;
    return DateTime{1980, 1, 1, 0, 0, 0};
}

int NormaliseBiasMinutes(int bias) { return (bias > -13 && bias < 13) ? bias * 60 : bias; }

DateTime UnixToDateTime(std::int64_t seconds, int biasMinutes) {
    // Years 1..9999 as seconds from 1970: keeps every step below in range.
    constexpr std::int64_t kMin = -62135596800;
    constexpr std::int64_t kMax = 253402300799;
    std::int64_t local = std::clamp(seconds, kMin, kMax) - std::int64_t{biasMinutes} * 60;
    local = std::clamp(local, kMin, kMax);
    std::int64_t days = local / 86400;
    std::int64_t rest = local % 86400;
    if (rest < 0) {
        rest += 86400;
        --days;
    }
    DateTime t;
    civilFromDays(days, t.year, t.month, t.day);
    t.hour = static_cast<int>(rest / 3600);
    t.minute = static_cast<int>(rest / 60 % 60);
    t.second = static_cast<int>(rest % 60);
    return t;
}

}  // namespace kv::arc
