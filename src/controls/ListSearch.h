#pragma once
// Type-ahead search in the virtual lists: the next row whose name starts with
// what the user typed.
#include <cstddef>
#include <functional>
#include <string_view>

namespace kv {

using ListNameAt = std::function<std::string_view(std::size_t index)>;

// Index of the first entry at or after Start, wrapping round to 0, whose name
// starts with Text, ignoring ASCII case; -1 when none does or the list is
// empty. A Start outside the list starts at 0.
std::ptrdiff_t FindNextInList(std::size_t count, const ListNameAt& nameAt, std::string_view text,
                              std::size_t start);

}  // namespace kv
