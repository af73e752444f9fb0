// The search window's hit actions: which the rows allow, and running them from
// the toolbar, the popup, a double click and the keys.
#include "search/window/SearchFormWin32.h"

#include "scan/ArchiveTypes.h"
#include "search/results/ToolWindowWin32.h"

namespace kv {

ItemHead* TSearchForm::FocusedRecord() const { return FoundList.FocusedRecord(); }

std::vector<ItemHead*> TSearchForm::SelectedRecords() const { return FoundList.SelectedRecords(); }

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
    switch (action) {
    case FoundAction::Locate: FoundList.LocateFocused(); break;
    case FoundAction::Remove: FoundList.BtnDeleteClick(); break;
    case FoundAction::Clear: FoundList.BtnClearClick(true); break;
    case FoundAction::AddList: {
        ui::ScopedHourglass hourglass;
        RunItemCommand(services_.commands, action, selected, focused);
        UpdateSearchButtons(false);
        if (services_.updateCommands)
            services_.updateCommands();
        break;
    }
    default:
        RunItemCommand(services_.commands, action, selected, focused);
        if (action == FoundAction::SetCategory)
            SetPendingRefresh(1);
        break;
    }
}

bool TSearchForm::FoundListDropsOn(HWND target) {
    return DropsOnUserList(services_.userListDropTarget, target, Toolbar.Button(FoundAction::AddList));
}

void TSearchForm::FoundListDblClick() {
    RunFoundAction(FocusedDoubleClickAction(services_.doubleClickAction, FocusedRecord()));
}

void TSearchForm::PrepareFoundListPopup() {
    if (services_.idleUpdate)
        services_.idleUpdate();
    UpdateSearchStatus();
    FoundListPopup.Prepare(FoundButtonStates(), FocusedPopupDefault(services_.doubleClickAction, FocusedRecord()));
}

void TSearchForm::FoundListKeyDown(WORD& key, UINT shift) {
    // The modifiers must match exactly.
    FoundAction action = SharedKeyAction(key, shift);
    if (key == VK_DELETE && shift == 0)
        action = FoundAction::Remove;
    else if (key == VK_DELETE && shift == ui::kShift)
        action = FoundAction::Clear;
    if (action != FoundAction::None) {
        RunFoundAction(action);
        key = 0;
    } else if (IsPopupKey(key, shift)) {
        PopupAtFocusedRow(FoundList.View(), FoundListPopup.Menu(), hwnd());
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
