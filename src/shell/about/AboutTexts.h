#pragma once
// The texts of the about box and the tip window.
#include <array>
#include <cstdint>
#include <string>

namespace kv {

// "Windows 3.1 (Win32s)", "Windows 95" or "Windows NT" for the platform ids 0, 1 and 2.
std::string OsNameText(std::uint32_t platformId);
// "Version 4.00.1381": the minor number in two digits, the build's low 16 bits.
std::string OsVersionText(std::uint32_t major, std::uint32_t minor, std::uint32_t build);
// The free physical memory: its size and its whole percentage of the total (0..100).
std::string FreeMemoryText(std::uint64_t available, std::uint64_t total);

inline constexpr int kTipCount = 10;
// The tip of index 1..10.
const char* TipText(int index);
int NextTip(int index);
int PreviousTip(int index);

}  // namespace kv
