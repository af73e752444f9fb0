#include "search/userlist/UserListFormWin32.h"

#include <algorithm>

#include "base/Errors.h"
#include "controls/ListHelpers.h"
#include "scan/ArchiveTypes.h"
#include "search/results/ToolWindowWin32.h"
#include "search/userlist/UserListActions.h"
#include "ui/Application.h"
#include "ui/SystemHelpers.h"

namespace kv {

namespace {

constexpr const char* kPlacementName = "UserListWndPos";

constexpr FoundPopupEntry kPopupEntries[] = {
    {"UserLocateMenu", "Locate in Catalog", FoundAction::Locate},
    {"UserEditDescMenu", "Edit Description", FoundAction::EditDesc},
    {"UserExplorerMenu", "Open in Explorer", FoundAction::Explorer},
    {"UserViewMenu", "View File", FoundAction::View},
    {"UserLaunchMenu", "Launch File", FoundAction::Launch},
    {"UserCopyToMenu", "Copy To...", FoundAction::CopyTo},
    {"UserExtractMenu", "Extract To...", FoundAction::Extract},
    {"UserSetCatMenu", "Set Category and Flags", FoundAction::SetCategory},
    {"UserRemoveMenu", "Remove from List", FoundAction::Remove},
    {"N1", "-", FoundAction::None},
    {"UserPropertiesMenu", "Properties", FoundAction::Properties},
};

}  // namespace

TUserListForm::TUserListForm(UserListServices services) : services_(std::move(services)) {
    setCaption("User List");
    helpContext = kHelpContext;
    setBounds(120, 120, 560, 360);
    createHandle();
    list_.sortColumn = 0;
    BuildControls();
    RestoreToolWindowPlaces(*this, kPlacementName, services_.placementKey);
    UpdateUserListButtons(true);
    ShowStatus();
}

// The records may be gone already (the program's end): only places are kept.
TUserListForm::~TUserListForm() { SaveToolWindowPlaces(*this, kPlacementName, services_.placementKey); }

void TUserListForm::BuildControls() {
    StatusBar.setPanels({{"", 120}, {"", 250}, {"", 150}});
    StatusBar.setSizeGrip(true);
    StatusBar.setAlign(ui::Align::Bottom);
    StatusBar.create(this);
    StatusBar.onPanelClick = [this](ui::StatusBar&, int panel) {
        if (panel == 1)
            RunUserListAction(FoundAction::Properties);
    };
    StatusBar.onResize = [this](ui::Control&) {
        const RECT r = StatusBar.clientRect();
        const int rest = std::max<int>(0, static_cast<int>(r.right - r.left) - StatusBar.panelWidth(0) - 3);
        StatusBar.setPanelWidth(1, rest * 60 / 100);
        StatusBar.setPanelWidth(2, rest - rest * 60 / 100);
    };

    const ToolWindowDocks docks = MakeToolWindowDocks(*this, "Docks", "UserListToolbar", "User List");
    DocksTop = docks.top;
    DocksBottom = docks.bottom;
    DocksLeft = docks.left;
    DocksRight = docks.right;
    UserListToolbar = docks.toolbar;
    // Floating, the toolbar shows only while the user list is the active window.
    UserListToolbar->HideFloatingWhenFormInactive = true;
    Buttons.Create(*UserListToolbar, UserListToolbarButtons(), UserListToolbarBevelTags(), services_.buttonSize,
                   services_.oldButtons);
    Buttons.onButton = [this](const SearchButton& info, ui::SpeedButton& sender) {
        if (info.viewStyle != 0)
            SetListViewStyle(UserListView.View(), info.viewStyle);
        else if (info.action != FoundAction::None)
            RunUserListAction(info.action);
        else if (std::string_view(info.name) == "BtnStayOnTop")
            setStayOnTop(sender.down());
    };

    ui::TExtListView& view = UserListView.View();
    // The user list's own columns in place of the found list's.
    view.ClearColumns();
    view.AddColumn("File, Folder or Disk", 160);
    view.AddColumn("Ext", 50);
    view.AddColumn("Item Size", 90, LVCFMT_RIGHT);
    view.AddColumn("Item Date", 80, LVCFMT_RIGHT);
    view.AddColumn("Location", 220);
    view.AddColumn("Media Type", 90);
    view.AddColumn("Folder", 150);
    view.AddColumn("Category", 90);
    view.AddColumn("Description", 200);
    view.setAlign(ui::Align::Client);
    UserListView.Create(*this, {&ui::Application::instance().prompt(), services_.locator, {},
                                [this] { AfterRowsChanged(); }, services_.columnsSetup, {}, {}});
    UserListView.SetList(&list_);
    view.OnItemActivate = [this](ui::TExtListView&) { UserListDblClick(); };
    view.onKeyDown = [this](ui::Control&, WORD& key, UINT shift) { UserListKeyDown(key, shift); };
    view.onKeyUp = [](ui::Control&, WORD& key, UINT) {
        if (key == VK_APPS)
            key = 0;
    };
    view.OnChange = [this, &view](ui::TCustomEnhListView&, int row) {
        if (row >= 0 && view.SelectedCount() > 0)
            ShowStatus();
        SetRefresh(2);
    };
    view.OnVMStateChanged = [this](ui::TExtListView&, NMLVODSTATECHANGE&) { SetRefresh(2); };
    UserListPopup.Create(kPopupEntries, [this](FoundAction action) { return Buttons.Glyph(action); },
                         [this](FoundAction action) { RunUserListAction(action); });
    UserListPopup.Menu().OnPopup = [this](ui::PopupMenu&) { PreparePopup(); };
    view.popupMenu = &UserListPopup.Menu();

    onClose = [](ui::Form&, ui::CloseAction& action) { action = ui::CloseAction::Hide; };
    onActivate = [this](ui::Form&, bool active) {
        if (active && services_.listFont)
            if (HFONT font = services_.listFont(); font && font != UserListView.View().font())
                UserListView.View().setFont(font);
    };
    realign();
    StatusBar.onResize(StatusBar);
}

void TUserListForm::SetCellProvider(const FoundCellProvider* cells, HIMAGELIST smallImages, HIMAGELIST largeImages) {
    cells_ = cells;
    UserListView.SetCellProvider(cells, smallImages);
    if (largeImages && UserListView.View().hwnd())
        SendMessageA(UserListView.View().hwnd(), LVM_SETIMAGELIST, LVSIL_NORMAL, reinterpret_cast<LPARAM>(largeImages));
}

bool TUserListForm::AddToUserList(ItemHead* record) {
    if (!record || IsListed(record->indexWord(ResultSlot::UserList)))
        return false;
    list_.Append(*record);
    return true;
}

void TUserListForm::RefreshUserListView() {
    ui::TExtListView& view = UserListView.View();
    if (cells_) {
        std::atomic<bool> cancel{false};
        SortSearchResults(list_, FoundSortStep::Full, *cells_, cancel);
    }
    UserListView.SyncRowCount();
    InvalidateRect(view.hwnd(), nullptr, TRUE);
    ShowStatus();
    ui::AutoSizeListColumns(view);
    if (!UserListView.FocusedRow() && list_.Count() > 0) {
        LVITEMA state{};
        state.stateMask = LVIS_FOCUSED;
        state.state = LVIS_FOCUSED;
        SendMessageA(view.hwnd(), LVM_SETITEMSTATE, 0, reinterpret_cast<LPARAM>(&state));
    }
    UpdateUserListButtons(true);
}

void TUserListForm::ListRenumbered() {
    UserListView.SyncRowCount();
    InvalidateRect(UserListView.View().hwnd(), nullptr, TRUE);
    ShowStatus();
    UpdateUserListButtons(true);
}

void TUserListForm::ClearUserList() {
    UserListView.BtnClearClick(false);
    ShowStatus();
    UpdateUserListButtons(true);
    if (services_.listChanged)
        services_.listChanged();
}

void TUserListForm::BtnClearClick() {
    if (ui::Application::instance().prompt().ask({"Remove all items from the user list?", "Delete all items",
                                                  ui::PromptButtons::YesNo, ui::PromptIcon::Question}) !=
        ui::PromptAnswer::Yes)
        return;
    ClearUserList();
}

void TUserListForm::AfterRowsChanged() {
    ShowStatus();
    UpdateUserListButtons(true);
    if (services_.listChanged)
        services_.listChanged();
}

ItemHead* TUserListForm::FocusedRecord() const { return UserListView.FocusedRecord(); }

std::vector<ItemHead*> TUserListForm::SelectedRecords() const { return UserListView.SelectedRecords(); }

FoundActionStates TUserListForm::UserListButtonStates() const {
    const std::vector<ItemHead*> selected = SelectedRecords();
    const std::vector<const ItemHead*> rows(selected.begin(), selected.end());
    FoundActionStates states = EnableUserListActions({FocusedRecord(), rows, list_.Count(), false},
                                                     [](std::string_view name) { return IsSupportedArchive(name); });
    states[FoundAction::Report] = states[FoundAction::Report] && services_.reportOfList != nullptr;
    return states;
}

void TUserListForm::UpdateUserListButtons(bool all) {
    EnableActionButtons(UserListToolbarButtons(), UserListButtonStates(), all,
                        [this](FoundAction action) { return Buttons.Button(action); });
}

void TUserListForm::UpdateUserListStatus() {
    UpdateUserListButtons(refresh_ == 2 || refresh_ == 1);
    ShowStatus();
    refresh_ = 0;
}

void TUserListForm::ShowStatus() {
    if (!StatusBar.hwnd())
        return;
    StatusBar.setPanelText(0, "Total items: " + std::to_string(list_.Count()));
    ItemHead* focused = FocusedRecord();
    StatusBar.setPanelText(1, focused && services_.summary ? services_.summary(*focused) : std::string());
    StatusBar.setPanelText(2, services_.totals ? services_.totals(list_.Items()) : std::string());
}

void TUserListForm::RunUserListAction(FoundAction action) {
    if (action == FoundAction::None || !UserListButtonStates()[action])
        return;
    ItemHead* focused = FocusedRecord();
    std::vector<ItemHead*> selected = SelectedRecords();
    switch (action) {
    case FoundAction::Locate: UserListView.LocateFocused(); break;
    case FoundAction::Remove: UserListView.BtnDeleteClick(); break;
    case FoundAction::Clear: BtnClearClick(); break;
    case FoundAction::Report: services_.reportOfList(); break;
    default:
        RunItemCommand(services_.commands, action, selected, focused);
        if (action == FoundAction::SetCategory) {
            SetRefresh(1);
            if (services_.listChanged)
                services_.listChanged();
        }
        break;
    }
}

void TUserListForm::UserListDblClick() {
    RunUserListAction(FocusedDoubleClickAction(services_.doubleClickAction, FocusedRecord()));
}

void TUserListForm::PreparePopup() {
    if (services_.idleUpdate)
        services_.idleUpdate();
    UpdateUserListStatus();
    const FoundAction defaultAction = FocusedPopupDefault(services_.doubleClickAction, FocusedRecord());
    FoundActionStates states = UserListButtonStates();
    // Locate, Edit Description, Remove and Properties always show.
    for (FoundAction a : {FoundAction::Locate, FoundAction::EditDesc, FoundAction::Remove, FoundAction::Properties,
                          FoundAction::Explorer})
        states[a] = true;
    UserListPopup.Prepare(states, defaultAction);
}

void TUserListForm::UserListKeyDown(WORD& key, UINT shift) {
    FoundAction action = SharedKeyAction(key, shift);
    // Shift alone clears the list; Delete with any other modifiers removes the selection.
    if (key == VK_DELETE)
        action = shift == ui::kShift ? FoundAction::Clear : FoundAction::Remove;
    if (action != FoundAction::None) {
        RunUserListAction(action);
        key = 0;
    } else if (IsPopupKey(key, shift)) {
        PopupAtFocusedRow(UserListView.View(), UserListPopup.Menu(), hwnd());
        key = 0;
    } else if (key == VK_RETURN && (shift & ui::kAlt) == 0) {
        UserListDblClick();
        key = 0;
    }
}

bool TUserListForm::IsDropTarget(HWND target) {
    HWND view = UserListView.View().hwnd();
    return view && (target == view || IsChild(view, target)) && IsWindowVisible(hwnd());
}

}  // namespace kv
