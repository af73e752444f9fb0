#pragma once
// DOS date-times as items store them: the date in the high 16 bits (day 0-4,
// month 5-8, year-1980 9-15), the time in the low 16 (seconds/2 0-4, minutes
// 5-10, hours 11-15). Sorting the 32-bit values sorts by date and time.
#include <cstdint>
#include <optional>

#include "base/DateTime.h"

namespace kv {

// Odd seconds round down; moments before 1980 or after 2107 clamp to the first or
// last value the format holds.
std::uint32_t encodeDosDateTime(const DateTime& t);

// nullopt when a field is out of range (0 itself is no date: its month and day are 0).
std::optional<DateTime> decodeDosDateTime(std::uint32_t value);

}  // namespace kv
