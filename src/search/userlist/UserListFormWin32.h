#pragma once
// The "User List" window: items the user collected by hand from the catalogs,
// the search hits and the compare rows, to look at and act on together. It
// holds pointers into the open catalogs; a freed record leaves it through the
// model's result lists (slot 1). Closing only hides it.
#include <functional>
#include <span>
#include <string>

#include "controls/docks/DockSiteWin32.h"
#include "controls/docks/DockToolbarWin32.h"
#include "search/results/FoundItemCommands.h"
#include "search/results/FoundListWin32.h"
#include "search/results/ToolWindowWin32.h"
#include "search/userlist/DockButtonsWin32.h"
#include "search/window/FoundPopupWin32.h"
#include "ui/Form.h"
#include "ui/StatusBar.h"

namespace kv {

struct UserListServices : ToolWindowServices {
    // The main list's font, which the list takes whenever the window is activated.
    std::function<HFONT()> listFont;
};

class TUserListForm : public ui::Form {
public:
    static constexpr unsigned long kHelpContext = 30;

    explicit TUserListForm(UserListServices services);
    ~TUserListForm() override;

    TResultList& List() { return list_; }
    // The main window's cells, icons and order (the user list's columns).
    void SetCellProvider(const FoundCellProvider* cells, HIMAGELIST smallImages, HIMAGELIST largeImages);

    // Appends a record not listed yet; false for null or one listed already.
    // RefreshUserListView once after a batch.
    bool AddToUserList(ItemHead* record);
    // Sorts by the current column and shows the rows.
    void RefreshUserListView();
    // After the model packed the list (records freed): rows, status and buttons follow.
    void ListRenumbered();
    void ClearUserList();

    FoundActionStates UserListButtonStates() const;
    // The actions as the buttons, the popup and the keys run them; an action
    // its button does not allow now does nothing.
    void RunUserListAction(FoundAction action);
    void UserListDblClick();
    void BtnClearClick();
    void UpdateUserListButtons(bool all);
    // Deferred refresh: 1 the records changed, 2 the selection changed.
    void SetRefresh(std::uint8_t level) { refresh_ = std::max(refresh_, level); }
    std::uint8_t RefreshFlag() const { return refresh_; }
    void UpdateUserListStatus();
    void ShowStatus();

    // The drop of items dragged from another window: true when the point is
    // over the list (the caller then adds through its own add command).
    bool IsDropTarget(HWND target);

    ui::StatusBar StatusBar;
    ui::TDockSite* DocksTop = nullptr;
    ui::TDockSite* DocksBottom = nullptr;
    ui::TDockSite* DocksLeft = nullptr;
    ui::TDockSite* DocksRight = nullptr;
    ui::TDockToolbar* UserListToolbar = nullptr;
    DockButtonsWin32 Buttons;
    FoundListWin32 UserListView;
    FoundPopupWin32 UserListPopup;

private:
    void BuildControls();
    void UserListKeyDown(WORD& key, UINT shift);
    void PreparePopup();
    ItemHead* FocusedRecord() const;
    std::vector<ItemHead*> SelectedRecords() const;
    void AfterRowsChanged();

    UserListServices services_;
    TResultList list_{ResultSlot::UserList};
    const FoundCellProvider* cells_ = nullptr;
    std::uint8_t refresh_ = 0;
};

}  // namespace kv
