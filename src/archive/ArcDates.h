#pragma once
// Member dates: DOS stamps as the DOS-era formats store them, Unix seconds as the
// Unix-era ones do, and the floating date the member record carries.
#include <cstdint>

#include "base/DateTime.h"

namespace kv::arc {

// A DOS stamp (date in the high 16 bits) as a date; 0 and stamps whose fields are
// out of range stand for 1980-01-01 00:00.
DateTime DosStampToDateTime(std::uint32_t stamp);

// Swaps the 16-bit halves: a date-then-time stamp (ARC, ZOO) into the usual order.
constexpr std::uint32_t SwapHalves(std::uint32_t v) { return (v << 16) | (v >> 16); }

// The bias as the time-zone information gives it (UTC = local + bias), normalised
// to minutes: a value whose magnitude is below 13 is taken as hours.
int NormaliseBiasMinutes(int bias);

// Local date of Unix seconds (UTC) with the bias in minutes; clamps to years 1..9999.
DateTime UnixToDateTime(std::int64_t seconds, int biasMinutes);

}  // namespace kv::arc
