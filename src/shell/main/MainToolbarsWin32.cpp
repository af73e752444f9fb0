#include "shell/main/MainToolbarsWin32.h"

#include <memory>

#include "base/ScopedFlag.h"
#include "controls/docks/ToolbarPositionsWin32.h"

namespace kv {

namespace {

ui::TDockSite& makeDock(ui::Form& form, const char* name, ui::TDockPosition position) {
    auto& dock = form.adopt(std::make_unique<ui::TDockSite>(form, position));
    dock.Name = name;
    dock.create(&form);
    return dock;
}

ui::TDockToolbar& makeToolbar(ui::Form& form, ui::TDockSite& home) {
    auto& bar = form.adopt(std::make_unique<ui::TDockToolbar>(form));
    bar.Name = "Toolbar";
    bar.Caption = "Toolbar";
    bar.SetDefaultDock(&home);
    bar.create(&home);
    bar.SetDockedTo(&home);
    return bar;
}

}  // namespace

MainToolbars::MainToolbars(ui::Form& form)
    : DocksTop(makeDock(form, "DocksTop", ui::TDockPosition::dpTop)),
      DocksBottom(makeDock(form, "DocksBottom", ui::TDockPosition::dpBottom)),
      DocksLeft(makeDock(form, "DocksLeft", ui::TDockPosition::dpLeft)),
      DocksRight(makeDock(form, "DocksRight", ui::TDockPosition::dpRight)),
      Toolbar(makeToolbar(form, DocksTop)) {}

ui::TDockSite& MainToolbars::dockFor(DockSide side) const {
    switch (side) {
    case DockSide::Top: return DocksTop;
    case DockSide::Bottom: return DocksBottom;
    case DockSide::Left: return DocksLeft;
    case DockSide::Right: return DocksRight;
    }
    return DocksTop;
}

void MainToolbars::ApplyDock(DockSide side, bool floating, bool visible) {
    ScopedFlag applying(applying_);
    Toolbar.setVisible(visible);
    Toolbar.SetDockedTo(floating ? nullptr : &dockFor(side));
}

void MainToolbars::Load(const SectionStore& store) {
    ScopedFlag applying(applying_);
    LoadToolbarPositions(Toolbar.form(), store);
}

void MainToolbars::Save(SectionStore& store) noexcept {
    try {
        SaveToolbarPositions(Toolbar.form(), store);
    } catch (...) {
        // Saved on the way out: losing the toolbar's place is all that happens.
    }
}

}  // namespace kv
