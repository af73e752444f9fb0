#include "controls/docks/ToolbarPositionsWin32.h"

#include <algorithm>

#include "controls/docks/DockSiteWin32.h"
#include "controls/docks/DockToolbarWin32.h"
#include "controls/docks/FloatingToolbarWin32.h"
#include "controls/docks/ToolbarPositions.h"
#include "system/settings/RegistrySectionStoreWin32.h"
#include "ui/UiErrors.h"

namespace kv::ui {

namespace {

DockRect workArea() {
    RECT r;
    if (!SystemParametersInfoA(SPI_GETWORKAREA, 0, &r, 0))
        r = {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    return {r.left, r.top, r.right, r.bottom};
}

ToolbarPosition currentPosition(TDockToolbar& bar) {
    ToolbarPosition p;
    p.visible = bar.visible();
    p.dockRow = bar.DockRow();
    p.dockPos = bar.DockPos();
    p.floatRightX = bar.FloatRightX;
    p.floatRect = bar.floatRect();
    if (bar.DockedTo()) {
        if (bar.DockedTo()->AllowDrag()) {
            if (bar.DockedTo()->Name.empty()) throw EInvalidOperation("DockTo's Name property not set");
            p.dockedTo = bar.DockedTo()->Name;
        }
    } else {
        p.dockedTo = std::string(kFloatingDockName);
    }
    return p;
}

}  // namespace

void SaveToolbarPositions(Form& form, SectionStore& store) {
    for (TDockToolbar* bar : form.ComponentsOfType<TDockToolbar>()) {
        if (bar->Name.empty()) throw EInvalidOperation("Name property not set");
        WriteToolbarPosition(store, bar->Name, currentPosition(*bar));
    }
}

void LoadToolbarPositions(Form& form, const SectionStore& store) {
    const std::vector<TDockSite*> docks = form.ComponentsOfType<TDockSite>();
    for (TDockSite* d : docks) d->lockArrange();
    struct Unlock {
        const std::vector<TDockSite*>& docks;
        ~Unlock() {
            for (auto it = docks.rbegin(); it != docks.rend(); ++it) (*it)->unlockArrange();
        }
    } unlock{docks};

    for (TDockToolbar* bar : form.ComponentsOfType<TDockToolbar>()) {
        if (bar->Name.empty()) throw EInvalidOperation("Name property not set");
        ToolbarPosition now;
        now.visible = bar->visible();
        now.dockRow = bar->DockRow();
        now.dockPos = bar->DockPos();
        const ToolbarPosition p = ReadToolbarPosition(store, bar->Name, now);
        bar->setVisible(p.visible);
        if (p.dockedTo.empty()) continue;
        if (p.dockedTo == kFloatingDockName) {
            bar->SetDockRow(p.dockRow);
            bar->SetDockPos(p.dockPos);
            bar->FloatRightX = p.floatRightX;
            // The toolbar's own layout decides the size; the stored place only
            // where (a toolbar that already floats is not laid out again).
            const DockSize size = bar->measureFor(ToolbarOrientation::Floating);
            bar->setFloatRect(
                {p.floatRect.left, p.floatRect.top, p.floatRect.left + size.width, p.floatRect.top + size.height});
            bar->SetDockedTo(nullptr);
            const DockRect on = MoveRectOnScreen(growByFloatingFrame(bar->floatRect()), workArea());
            bar->setFloatRect(shrinkByFloatingFrame(on));
            continue;
        }
        auto dock = std::find_if(docks.begin(), docks.end(), [&](TDockSite* d) { return d->Name == p.dockedTo; });
        if (dock == docks.end() || !(*dock)->AllowDrag()) continue;
        bar->SetDockRow(p.dockRow);
        bar->SetDockPos(p.dockPos);
        bar->FloatRightX = p.floatRightX;
        if (!p.floatRect.empty()) bar->setFloatRect(p.floatRect);
        bar->SetDockedTo(*dock);
    }
}

void LoadToolbarPositions(Form& form, const std::string& key) {
    RegistrySectionStore store(HKEY_CURRENT_USER, key);
    LoadToolbarPositions(form, store);
}

void SaveToolbarPositions(Form& form, const std::string& key) {
    RegistrySectionStore store(HKEY_CURRENT_USER, key);
    SaveToolbarPositions(form, store);
}

void SaveToolbarPositionsQuietly(Form& form, const std::string& key) noexcept {
    try {
        SaveToolbarPositions(form, key);
    } catch (...) {
        // Saved at shutdown: a failure must not end the program.
    }
}

}  // namespace kv::ui
