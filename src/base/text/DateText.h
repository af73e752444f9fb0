#pragma once
// Date and time texts of items' DOS date-times.
#include <cstdint>
#include <functional>
#include <string>

#include "base/DateTime.h"

namespace kv {

// Turns a valid date-time into text; the Windows build passes one that uses the
// user's date and time formats.
using DateTimeFormatter = std::function<std::string(const DateTime&)>;

// "" for 0 and for values that are no date, so a list cell never fails on a
// damaged record. Without a formatter: "YYYY-MM-DD HH:MM".
std::string FileDateToStr(std::uint32_t dosDateTime, const DateTimeFormatter& format = {});

}  // namespace kv
