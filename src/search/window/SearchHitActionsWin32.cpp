// The search window's hit actions: which the rows allow, and running them from
// the toolbar, the popup, a double click and the keys.
#include "search/window/SearchFormWin32.h"

#include "scan/ArchiveTypes.h"

namespace kv {

ItemHead* TSearchForm::FocusedRecord() const {
    const std::optional<std::size_t> row = FoundList.FocusedRow();
    return row && FoundList.List() ? FoundList.List()->At(*row) : nullptr;
}

std::vector<ItemHead*> TSearchForm::SelectedRecords() const {
    std::vector<ItemHead*> records;
    const TResultList* list = FoundList.List();
    if (!list)
        return records;
    for (std::size_t row : FoundList.SelectedRows())
        if (ItemHead* rec = list->At(row))
            records.push_back(rec);
    return records;
}

FoundActionStates TSearchForm::FoundButtonStates() const {
    const std::vector<ItemHead*> selected = SelectedRecords();
    const std::vector<const ItemHead*> rows(selected.begin(), selected.end());
    const TResultList* list = FoundList.List();
    FoundActionStates states = EnableFoundActions({FocusedRecord(), rows, list ? list->Count() : 0, SearchRunning()},
                                                  [](std::string_view name) { return IsSupportedArchive(name); });
    // Disabled rather than silent: the actions whose windows the program lacks.
    for (std::size_t i = 0; i < kFoundActionCount; ++i) {
        const auto action = static_cast<FoundAction>(i);
        const bool own = action == FoundAction::None || action == FoundAction::Locate ||
                         action == FoundAction::Remove || action == FoundAction::Clear;
        if (!own && !(services_.commands && services_.commands->Offers(action)))
            states[action] = false;
    }
    return states;
}

void TSearchForm::RunFoundAction(FoundAction action) {
    if (action == FoundAction::None || !FoundButtonStates()[action])
        return;
    ItemHead* focused = FocusedRecord();
    std::vector<ItemHead*> selected = SelectedRecords();
    IFoundItemCommands* commands = services_.commands;
    switch (action) {
    case FoundAction::Locate: FoundList.LocateFocused(); break;
    case FoundAction::Remove: FoundList.BtnDeleteClick(); break;
    case FoundAction::Clear: FoundList.BtnClearClick(true); break;
    case FoundAction::EditDesc:
        if (commands && focused)
            commands->EditItemDescription(*focused);
        break;
    case FoundAction::Properties:
        if (commands && focused)
            commands->ShowItemProperties(*focused);
        break;
    case FoundAction::AddList: {
        ui::ScopedHourglass hourglass;
        if (commands)
            commands->AddToUserList(selected);
        UpdateSearchButtons(false);
        if (services_.updateCommands)
            services_.updateCommands();
        break;
    }
    default:
        if (commands)
            commands->RunFoundCommand(action, selected, focused);
        if (action == FoundAction::SetCategory)
            SetPendingRefresh(1);
        break;
    }
}

bool TSearchForm::FoundListDropsOn(HWND target) {
    if (!services_.userListDropTarget || !services_.userListDropTarget(target))
        return false;
    const ui::SpeedButton* add = Toolbar.Button(FoundAction::AddList);
    return add && add->enabled();
}

void TSearchForm::FoundListDblClick() {
    ItemHead* focused = FocusedRecord();
    if (!focused || !services_.doubleClickAction)
        return;
    RunFoundAction(DoubleClickAction(services_.doubleClickAction(), *focused));
}

void TSearchForm::PrepareFoundListPopup() {
    if (services_.idleUpdate)
        services_.idleUpdate();
    UpdateSearchStatus();
    ItemHead* focused = FocusedRecord();
    const FoundAction defaultAction = focused && services_.doubleClickAction
                                          ? DefaultPopupAction(services_.doubleClickAction(), *focused)
                                          : FoundAction::None;
    FoundListPopup.Prepare(FoundButtonStates(), defaultAction);
}

void TSearchForm::ShowPopupAtFocused() {
    const std::optional<std::size_t> row = FoundList.FocusedRow();
    if (!row)
        return;
    RECT r{};
    r.left = LVIR_BOUNDS;
    HWND view = FoundList.View().hwnd();
    if (!SendMessageA(view, LVM_GETITEMRECT, *row, reinterpret_cast<LPARAM>(&r)))
        return;
    POINT at{r.left + 8, r.bottom};
    ClientToScreen(view, &at);
    FoundListPopup.Menu().Popup(hwnd(), at.x, at.y);
}

void TSearchForm::FoundListKeyDown(WORD& key, UINT shift) {
    // The modifiers must match exactly.
    FoundAction action = FoundAction::None;
    if (key == VK_DELETE && shift == 0)
        action = FoundAction::Remove;
    else if (key == VK_DELETE && shift == ui::kShift)
        action = FoundAction::Clear;
    else if (key == 'T' && shift == ui::kCtrl)
        action = FoundAction::Locate;
    else if ((key == VK_RETURN && shift == ui::kAlt) || (key == VK_F4 && shift == 0))
        action = FoundAction::Properties;
    if (action != FoundAction::None) {
        RunFoundAction(action);
        key = 0;
    } else if ((key == VK_F10 && shift == ui::kShift) || (key == VK_APPS && shift == 0)) {
        ShowPopupAtFocused();
        key = 0;
    } else if (key == VK_ESCAPE && shift == 0) {
        hide();
        key = 0;
    } else if (key == VK_RETURN && shift == 0) {
        // Enter is the double click's action; not every list view reports it.
        FoundListDblClick();
        key = 0;
    }
}

}  // namespace kv
