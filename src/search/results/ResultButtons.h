#pragma once
// The buttons the result windows (user list, compare window) share, from the
// view styles to Extract, in the order of their Tags; each window adds its own.
#include <span>
#include <vector>

#include "search/window/SearchToolbar.h"

namespace kv {

std::span<const SearchButton> ItemActionButtons();
// The shared buttons followed by the window's own.
std::vector<SearchButton> WithItemActionButtons(std::span<const SearchButton> own);

}  // namespace kv
