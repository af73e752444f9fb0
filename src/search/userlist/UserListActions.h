#pragma once
// What the user list offers on its rows, and its toolbar of speed buttons.
#include <span>

#include "search/results/FoundActions.h"
#include "search/window/SearchToolbar.h"

namespace kv {

// Locate, Edit Description, Properties and Remove need a selected row (they act
// on the focused one). Explorer also needs a focused record that is no catalog
// and no archive member; Launch and View a file or an archive folder there.
// Set Category needs a selected file or folder, Copy To a folder or a file that
// is no archive member, Extract an archive or member of a supported type; the
// last three only when the single-item actions are there too. Clear and Report
// need rows. Nothing adds to the user list from the user list itself.
FoundActionStates EnableUserListActions(const FoundSelection& selection, const SupportedArchive& supported);

std::span<const SearchButton> UserListToolbarButtons();
std::span<const int> UserListToolbarBevelTags();

}  // namespace kv
