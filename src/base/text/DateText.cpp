#include "base/text/DateText.h"

#include <cstdio>

#include "base/DosDateTime.h"

namespace kv {

std::string FileDateToStr(std::uint32_t dosDateTime, const DateTimeFormatter& format) {
    if (dosDateTime == 0)
        return {};
    const std::optional<DateTime> t = decodeDosDateTime(dosDateTime);
    if (!t)
        return {};
    if (format)
        return format(*t);
    char buf[32];
    std::snprintf(buf, sizeof buf, "%04d-%02d-%02d %02d:%02d", t->year, t->month, t->day, t->hour, t->minute);
    return buf;
}

}  // namespace kv
