#pragma once
// The stored forms of a list's column widths ("Sizes") and display order
// ("Order"): decimal numbers separated by ",". Stored values are not trusted.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kv::ui {

std::string encodeColumnList(const std::vector<int>& values);
// One entry per column up to count; an entry that is not a number is empty
// (that column keeps its width), a negative width becomes 0 (hidden).
std::vector<std::optional<int>> decodeColumnSizes(std::string_view text, size_t count);
// The order when it is a permutation of 0..count-1, else nothing.
std::optional<std::vector<int>> decodeColumnOrder(std::string_view text, size_t count);

}  // namespace kv::ui
