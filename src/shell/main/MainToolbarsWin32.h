#pragma once
// The main window's four docks and its toolbar. The settings decide the
// toolbar's side, whether it floats and whether it shows; the stored positions
// decide its row, its place in the row and its floating rectangle.
#include "controls/docks/DockSiteWin32.h"
#include "controls/docks/DockToolbarWin32.h"
#include "shell/settings/Settings.h"
#include "system/settings/SectionStore.h"

namespace kv {

class MainToolbars {
public:
    // Made before the panes, so the docks take the form's outer edges.
    explicit MainToolbars(ui::Form& form);

    ui::TDockSite& DocksTop;
    ui::TDockSite& DocksBottom;
    ui::TDockSite& DocksLeft;
    ui::TDockSite& DocksRight;
    ui::TDockToolbar& Toolbar;

    ui::TDockSite& dockFor(DockSide side) const;
    void ApplyDock(DockSide side, bool floating, bool visible);
    void Load(const SectionStore& store);
    // At close: a failing store never stops the program.
    void Save(SectionStore& store) noexcept;
    // While the settings or the stored positions are applied: the toolbar's
    // changes then are not the user's and are not written back to the settings.
    bool applying() const { return applying_; }

private:
    bool applying_ = false;
};

}  // namespace kv
