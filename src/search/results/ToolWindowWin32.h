#pragma once
// What the result windows (user list, compare window) share: their four docks
// and dockable toolbar, their kept places, their list's view styles; with the
// search window: the buttons' states, the popup at the focused row, the
// double-click action and the item actions handed to the main window.
#include <functional>
#include <span>
#include <string>

#include "controls/VirtualListView.h"
#include "controls/docks/DockSiteWin32.h"
#include "controls/docks/DockToolbarWin32.h"
#include "search/results/FoundItemCommands.h"
#include "search/window/SearchToolbar.h"
#include "ui/Form.h"
#include "ui/Menu.h"
#include "ui/SpeedButton.h"

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

// Enables the buttons of the window's table (button finds each) from states;
// a partial refresh (all false) leaves Remove all and Report as they are.
void EnableActionButtons(std::span<const SearchButton> table, const FoundActionStates& states, bool all,
                         const std::function<ui::SpeedButton*(FoundAction)>& button);

// What the double-click setting runs on the focused record, and the popup's
// default item; None without a record or a setting.
FoundAction FocusedDoubleClickAction(const std::function<int()>& setting, const ItemHead* focused);
FoundAction FocusedPopupDefault(const std::function<int()>& setting, const ItemHead* focused);

// The keys the lists share: Ctrl+T Locate, Alt+Enter and F4 Properties (None
// for any other); Shift+F10 and the menu key open the popup.
FoundAction SharedKeyAction(WORD key, UINT shift);
bool IsPopupKey(WORD key, UINT shift);

// Rows dragged onto target go to the user list: target is the user list's
// (isUserList says) and the window's Add to User List button is enabled.
bool DropsOnUserList(const std::function<bool(HWND target)>& isUserList, HWND target,
                     const ui::SpeedButton* addButton);

// 1 large icons, 2 list, 3 small icons, 4 details.
void SetListViewStyle(ui::TCustomEnhListView& view, int style);
// Opens the popup under the focused row; nothing without one.
void PopupAtFocusedRow(ui::TCustomEnhListView& view, ui::PopupMenu& menu, HWND owner);

// Edit Description and Properties on the focused record, the others on the
// selection, through the main window's handlers.
void RunItemCommand(IFoundItemCommands* commands, FoundAction action, std::span<ItemHead* const> selected,
                    ItemHead* focused);

}  // namespace kv
