#pragma once
// What the result windows (user list, compare window) share: their four docks
// and dockable toolbar, their kept places, their list's view styles and the
// popup at the focused row, and the item actions handed to the main window.
#include <span>
#include <string>

#include "controls/VirtualListView.h"
#include "controls/docks/DockSiteWin32.h"
#include "controls/docks/DockToolbarWin32.h"
#include "search/results/FoundItemCommands.h"
#include "ui/Form.h"
#include "ui/Menu.h"

namespace kv {

struct ToolWindowDocks {
    ui::TDockSite* top = nullptr;
    ui::TDockSite* bottom = nullptr;
    ui::TDockSite* left = nullptr;
    ui::TDockSite* right = nullptr;
    ui::TDockToolbar* toolbar = nullptr;
};

// The docks named prefix + "Top", "Bottom", "Left", "Right" and the toolbar
// docked at the top.
ToolWindowDocks MakeToolWindowDocks(ui::Form& form, const std::string& prefix, const std::string& toolbarName,
                                    const std::string& caption);

// The window's placement (valueName) and its toolbar's place under the key;
// nothing kept yet leaves the designed ones. An empty key keeps nothing.
void RestoreToolWindowPlaces(ui::Form& form, const char* valueName, const std::string& key);
void SaveToolWindowPlaces(ui::Form& form, const char* valueName, const std::string& key) noexcept;

// 1 large icons, 2 list, 3 small icons, 4 details.
void SetListViewStyle(ui::TCustomEnhListView& view, int style);
// Opens the popup under the focused row; nothing without one.
void PopupAtFocusedRow(ui::TCustomEnhListView& view, ui::PopupMenu& menu, HWND owner);

// Edit Description and Properties on the focused record, the others on the
// selection, through the main window's handlers.
void RunItemCommand(IFoundItemCommands* commands, FoundAction action, std::span<ItemHead* const> selected,
                    ItemHead* focused);

}  // namespace kv
