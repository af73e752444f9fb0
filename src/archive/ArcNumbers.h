#pragma once
// Small number rules the components share: tar's numeric fields, the saved-space
// ratio and when a progress report is due.
#include <cstdint>
#include <span>

namespace kv::arc {

// A tar numeric field. Octal text: every '0'..'7' is a digit, anything else is
// skipped; the result saturates instead of wrapping. A first byte with the high bit
// set marks GNU base-256 (big-endian two's complement); out-of-range values clamp.
std::int64_t ParseTarNumber(std::span<const std::uint8_t> field);

// Percent saved: 0 when nothing was saved, else at least 1.
std::uint8_t CompressionRatio(std::uint64_t packed, std::uint64_t unpacked);

// The percent to report when progress is due, or -1: due when done and total are
// non-zero and the percent differs from the last reported one and is a multiple of
// the step, or the caller forces it.
int ProgressDue(std::uint64_t done, std::uint64_t total, int lastPercent, int step, bool force);

}  // namespace kv::arc
