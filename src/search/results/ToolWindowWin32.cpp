#include "search/results/ToolWindowWin32.h"

#include <memory>

#include "base/Errors.h"
#include "controls/docks/ToolbarPositionsWin32.h"
#include "ui/WindowPlacement.h"

namespace kv {

namespace {

ui::TDockSite* makeDock(ui::Form& form, const std::string& name, ui::TDockPosition position) {
    auto& dock = form.adopt(std::make_unique<ui::TDockSite>(form, position));
    dock.Name = name;
    dock.create(&form);
    return &dock;
}

}  // namespace

ToolWindowDocks MakeToolWindowDocks(ui::Form& form, const std::string& prefix, const std::string& toolbarName,
                                    const std::string& caption) {
    ToolWindowDocks d;
    d.top = makeDock(form, prefix + "Top", ui::TDockPosition::dpTop);
    d.bottom = makeDock(form, prefix + "Bottom", ui::TDockPosition::dpBottom);
    d.left = makeDock(form, prefix + "Left", ui::TDockPosition::dpLeft);
    d.right = makeDock(form, prefix + "Right", ui::TDockPosition::dpRight);
    d.toolbar = &form.adopt(std::make_unique<ui::TDockToolbar>(form));
    d.toolbar->Name = toolbarName;
    d.toolbar->Caption = caption;
    d.toolbar->SetDefaultDock(d.top);
    d.toolbar->create(d.top);
    d.toolbar->SetDockedTo(d.top);
    return d;
}

void RestoreToolWindowPlaces(ui::Form& form, const char* valueName, const std::string& key) {
    if (key.empty())
        return;
    std::int32_t extra = -1;
    try {
        RestoreFormPlacement(form.hwnd(), valueName, extra, key);
    } catch (const EAbort&) {
        // Nothing stored yet: the designed place stays.
    }
    try {
        ui::LoadToolbarPositions(form, key);
    } catch (const EAbort&) {
        // The toolbar keeps its designed dock.
    }
}

void SaveToolWindowPlaces(ui::Form& form, const char* valueName, const std::string& key) noexcept {
    if (key.empty() || !form.hwnd())
        return;
    ui::SaveToolbarPositionsQuietly(form, key);
    try {
        SaveFormPlacement(form.hwnd(), valueName, -1, key);
    } catch (...) {
        // A key that cannot be written costs only the next start's placement.
    }
}

void EnableActionButtons(std::span<const SearchButton> table, const FoundActionStates& states, bool all,
                         const std::function<ui::SpeedButton*(FoundAction)>& button) {
    for (const SearchButton& info : table) {
        if (info.action == FoundAction::None)
            continue;
        if (!all && (info.action == FoundAction::Clear || info.action == FoundAction::Report))
            continue;
        if (ui::SpeedButton* b = button(info.action))
            b->setEnabled(states[info.action]);
    }
}

FoundAction FocusedDoubleClickAction(const std::function<int()>& setting, const ItemHead* focused) {
    return focused && setting ? DoubleClickAction(setting(), *focused) : FoundAction::None;
}

FoundAction FocusedPopupDefault(const std::function<int()>& setting, const ItemHead* focused) {
    return focused && setting ? DefaultPopupAction(setting(), *focused) : FoundAction::None;
}

FoundAction SharedKeyAction(WORD key, UINT shift) {
    if (key == 'T' && shift == ui::kCtrl)
        return FoundAction::Locate;
    if ((key == VK_RETURN && shift == ui::kAlt) || (key == VK_F4 && shift == 0))
        return FoundAction::Properties;
    return FoundAction::None;
}

bool IsPopupKey(WORD key, UINT shift) {
    return (key == VK_F10 && shift == ui::kShift) || (key == VK_APPS && shift == 0);
}

bool DropsOnUserList(const std::function<bool(HWND target)>& isUserList, HWND target,
                     const ui::SpeedButton* addButton) {
    return isUserList && isUserList(target) && addButton && addButton->enabled();
}

void SetListViewStyle(ui::TCustomEnhListView& view, int style) {
    static constexpr DWORD kStyles[] = {LVS_ICON, LVS_LIST, LVS_SMALLICON, LVS_REPORT};
    if (style < 1 || style > 4 || !view.hwnd())
        return;
    const DWORD current = static_cast<DWORD>(GetWindowLongA(view.hwnd(), GWL_STYLE));
    SetWindowLongA(view.hwnd(), GWL_STYLE, static_cast<LONG>((current & ~LVS_TYPEMASK) | kStyles[style - 1]));
}

void PopupAtFocusedRow(ui::TCustomEnhListView& view, ui::PopupMenu& menu, HWND owner) {
    const int row = view.FocusedRow();
    if (row < 0)
        return;
    RECT r{};
    r.left = LVIR_BOUNDS;
    if (!SendMessageA(view.hwnd(), LVM_GETITEMRECT, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&r)))
        return;
    POINT at{r.left + 8, r.bottom};
    ClientToScreen(view.hwnd(), &at);
    menu.Popup(owner, at.x, at.y);
}

void RunItemCommand(IFoundItemCommands* commands, FoundAction action, std::span<ItemHead* const> selected,
                    ItemHead* focused) {
    if (!commands)
        return;
    switch (action) {
    case FoundAction::EditDesc:
        if (focused)
            commands->EditItemDescription(*focused);
        break;
    case FoundAction::Properties:
        if (focused)
            commands->ShowItemProperties(*focused);
        break;
    case FoundAction::AddList: commands->AddToUserList(selected); break;
    default: commands->RunFoundCommand(action, selected, focused); break;
    }
}

}  // namespace kv
