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
#include "search/results/ResultList.h"
#include "search/window/SearchToolbar.h"
#include "ui/Form.h"
#include "ui/Menu.h"
#include "ui/SpeedButton.h"

namespace kv {

// What the main window hands to the user list and the compare window alike.
struct ToolWindowServices {
    IItemLocator* locator = nullptr;
    // The main window's handlers of the item actions; none: they do nothing.
    IFoundItemCommands* commands = nullptr;
    // Keeps the window's placement and its toolbar's place; empty: neither read nor kept.
    std::string placementKey;
    // The settings' double-click action (1 Properties, 2 Explorer, 3 Launch, 4 View).
    std::function<int()> doubleClickAction;
    // Before the popup shows: the main window's idle work, so its command states are current.
    std::function<void()> idleUpdate;
    // After the list changed or its rows were acted on: the other lists refresh.
    std::function<void()> listChanged;
    // Status panels 1 and 2: the focused record's summary, the totals of the rows.
    std::function<std::string(const ItemHead&)> summary;
    std::function<std::string(std::span<ItemHead* const>)> totals;
    // "Report of this list": the report generator on it; none: Report stays disabled.
    std::function<void()> reportOfList;
    // A click beside the column headers.
    std::function<void()> columnsSetup;
    int buttonSize = 2;
    bool oldButtons = false;
};

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
