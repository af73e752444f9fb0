// The toolbar's docking commands and its popup, and the help pointer of the
// help button. The settings follow what the user does with the toolbar.
#include "shell/main/MainFormWin32.h"

#include "shell/commands/StatusTexts.h"
#include "shell/settings/SettingsStore.h"

namespace kv {

namespace {

// The docks' Tags, which the "Dock Toolbar to" items share: 1 top, 2 bottom, 3 left, 4 right.
constexpr DockSide kDockSides[] = {DockSide::Top, DockSide::Bottom, DockSide::Left, DockSide::Right};
constexpr const char* kDockItemNames[] = {"DockToTop1", "DockToBottom1", "DockToLeftSide1", "DockToRightSide1"};
constexpr const char* kDockItemCaptions[] = {"Top", "Bottom", "Left Side", "Right Side"};

int dockTagOf(MainToolbars& toolbars, const ui::TDockSite* dock) {
    for (int tag = 1; tag <= 4; ++tag)
        if (dock == &toolbars.dockFor(kDockSides[tag - 1])) return tag;
    return 0;
}

}  // namespace

void MainForm::CreateToolbarPopup() {
    ui::MenuItem& root = toolbarPopup_.Items();
    toolMenuFloating_ = &root.Add("Floating Toolbar", [this](ui::MenuItem&) { ToolMenuFloatingClick(); });
    toolMenuFloating_->Name = "ToolMenuFloating";
    root.Add("Hide Toolbar", [this](ui::MenuItem&) { ViewToolbarClick(); }).Name = "ToolMenuHide";
    ui::MenuItem& dockTo = root.Add("Dock Toolbar to");
    dockTo.Name = "ToolMenuDockTo";
    for (int tag = 1; tag <= 4; ++tag) {
        ui::MenuItem& item = dockTo.Add(kDockItemCaptions[tag - 1], [this](ui::MenuItem& sender) {
            DockToolbarToClick(sender.Tag);
        });
        item.Name = kDockItemNames[tag - 1];
        item.Tag = tag;
        item.RadioItem = true;
        item.GroupIndex = 1;
        dockToItems_[static_cast<std::size_t>(tag - 1)] = &item;
    }

    ui::TDockToolbar& bar = toolbars_->Toolbar;
    bar.popupMenu = &toolbarPopup_;
    bar.showHint = true;
    bar.OnDockChanged = [this](ui::TDockToolbar&) { ToolbarDockChanged(); };
    // The floating window's close button hides the toolbar.
    bar.OnClose = [this](ui::TDockToolbar&) { ToolbarVisibleChanged(); };
    // The settings may have moved the toolbar without a change event: the popup shows where it is.
    toolbarPopup_.OnPopup = [this](ui::PopupMenu&) { showToolbarDock(); };
    showToolbarDock();
}

void MainForm::showToolbarDock() {
    ui::TDockToolbar& bar = toolbars_->Toolbar;
    const bool floating = bar.DockedTo() == nullptr;
    toolMenuFloating_->SetCaption(floating ? "Dock Toolbar" : "Floating Toolbar");
    bar.hint = floating ? "Doubleclick Caption to Dock..." : "Doubleclick To Make Floating...";
    const int tag = dockTagOf(*toolbars_, bar.DockedTo());
    for (int i = 1; i <= 4; ++i)
        dockToItems_[static_cast<std::size_t>(i - 1)]->SetChecked(i == tag);
}

void MainForm::ToolbarDockChanged() {
    ui::TDockToolbar& bar = toolbars_->Toolbar;
    const bool floating = bar.DockedTo() == nullptr;
    showToolbarDock();
    RepaintItemList();
    if (!floating)
        SyncDockOptions(dockTagOf(*toolbars_, bar.DockedTo()));
    // Only what the user changes is written, and only a real change.
    if (!toolbars_->applying() && services_.settings.Get().toolbarFloating != floating)
        services_.settings.Update([floating](Settings& s) { s.toolbarFloating = floating; });
}

void MainForm::SyncDockOptions(int dockTag) {
    if (dockTag < 1 || dockTag > 4)
        return;
    const DockSide side = kDockSides[dockTag - 1];
    if (!toolbars_->applying() && services_.settings.Get().dock != side)
        services_.settings.Update([side](Settings& s) { s.dock = side; });
    dockToItems_[static_cast<std::size_t>(dockTag - 1)]->SetChecked(true);
}

void MainForm::DockToolbarToClick(int dockTag) {
    if (dockTag < 1 || dockTag > 4)
        return;
    toolbars_->Toolbar.SetDockedTo(&toolbars_->dockFor(kDockSides[dockTag - 1]));
    SyncDockOptions(dockTag);
}

void MainForm::ToolMenuFloatingClick() {
    ui::TDockToolbar& bar = toolbars_->Toolbar;
    if (bar.DockedTo()) {
        bar.SetDockedTo(nullptr);
        return;
    }
    ui::TDockSite* dock = bar.LastDock() ? bar.LastDock() : bar.DefaultDock();
    bar.SetDockedTo(dock ? dock : &toolbars_->DocksTop);
}

void MainForm::ViewToolbarClick() {
    ui::TDockToolbar& bar = toolbars_->Toolbar;
    bar.setVisible(!bar.visible());
    ToolbarVisibleChanged();
}

void MainForm::ToolbarVisibleChanged() {
    const bool visible = toolbars_->Toolbar.visible();
    RepaintItemList();
    if (!toolbars_->applying() && services_.settings.Get().toolbarVisible != visible)
        services_.settings.Update([visible](Settings& s) { s.toolbarVisible = visible; });
    updateCommands(kUpdateAllCommands);
}

bool MainForm::WhatsThisMode() const { return whatsThis_ && whatsThis_->active(); }

void MainForm::ButtonHelpClick() {
    if (!whatsThis_) {
        whatsThis_ = std::make_unique<ui::WhatsThisMode>(*this);
        whatsThis_->onEnd = [this](ui::WhatsThisMode&) {
            if (ui::TDockToolbarButton* help = toolbarButton(CommandId::WhatsThis)) {
                help->setDown(false);
                help->setEnabled(true);
            }
        };
        whatsThis_->onPick = [this](ui::WhatsThisMode&, ui::Control* control, POINT screen) {
            // A floating toolbar lies outside the form, which the click's control was looked up in.
            for (const auto& [id, button] : toolbarButtons_) {
                RECT r{};
                if (button->hwnd() && IsWindowVisible(button->hwnd()) && GetWindowRect(button->hwnd(), &r) &&
                    PtInRect(&r, screen))
                    control = button;
            }
            WhatsThisPicked(control);
        };
    }
    if (whatsThis_->active())
        return;
    if (ui::TDockToolbarButton* help = toolbarButton(CommandId::WhatsThis))
        help->setDown(true);
    whatsThis_->start();
}

// A control's own help context wins; the toolbar's buttons have topics of their own.
void MainForm::WhatsThisPicked(ui::Control* control) {
    if (!control)
        return;
    unsigned long topic = control->helpContext;
    if (topic == 0 && dynamic_cast<ui::TDockToolbarButton*>(control))
        topic = static_cast<unsigned long>(ButtonHelpContext(control->Name));
    if (topic != 0)
        ui::Application::instance().helpContext(hwnd(), topic);
}

}  // namespace kv
