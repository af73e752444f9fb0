#pragma once
// Where descriptions come from during a scan, and the order in which the user
// wants them applied: the items of the settings dialog's source list, each
// known by the first characters of its text.
#include <cstdint>
#include <string>
#include <vector>

namespace kv {

namespace DescSourceCode {
inline constexpr std::uint8_t FileIdDiz = 0;
inline constexpr std::uint8_t FilesBbs = 1;
inline constexpr std::uint8_t DescriptIon = 2;
inline constexpr std::uint8_t ArchiveComment = 3;
inline constexpr std::uint8_t None = 255;
}  // namespace DescSourceCode

inline constexpr int kDescSourceCount = 4;

// The source list's items in their default order.
std::vector<std::string> DefaultImportDescItems();

// The source an item's text names, DescSourceCode::None when none.
std::uint8_t DescSourceOfItem(const std::string& item);
// Position 0..3 of the source in the list, -1 when no item names it.
int DescSourcePriority(const std::vector<std::string>& items, std::uint8_t source);
// The source at that position, DescSourceCode::None when there is none.
std::uint8_t DescSourceAt(const std::vector<std::string>& items, int position);

}  // namespace kv
