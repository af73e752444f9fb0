// The drag of a toolbar between docks: a local message loop with the mouse
// captured and a half-tone outline where the toolbar would land.
#include <windowsx.h>

#include "controls/docks/DockSiteWin32.h"
#include "controls/docks/DockTarget.h"
#include "controls/docks/DockToolbarWin32.h"
#include "controls/docks/FloatingToolbarWin32.h"
#include "ui/Application.h"
#include "ui/DragLoop.h"
#include "ui/DragOutline.h"

namespace kv::ui {

namespace {

DockRect screenRect(HWND h) {
    RECT r;
    GetWindowRect(h, &r);
    return {r.left, r.top, r.right, r.bottom};
}

}  // namespace

void TDockToolbar::beginDrag(POINT grab, bool ctrlDown) {
    if (!hwnd()) return;
    std::vector<TDockSite*> docks;
    std::vector<DockTargetCandidate> candidates;
    for (TDockSite* d : form_.ComponentsOfType<TDockSite>()) {
        if (!d->hwnd() || !d->visible()) continue;
        docks.push_back(d);
        candidates.push_back({screenRect(d->hwnd()), d->vertical(), d->AllowDrag(),
                              d->toolbars().empty() ? std::vector<int>{} : d->rowThickness()});
    }
    DragState state;
    const RECT b = bounds();
    state.grab = {grab.x, grab.y};
    state.current = {b.right - b.left, b.bottom - b.top};
    state.horizontal = measureFor(ToolbarOrientation::Horizontal);
    state.vertical = measureFor(ToolbarOrientation::Vertical);
    const DockSize floatClient = measureFor(ToolbarOrientation::Floating);
    const DockRect grown = growByFloatingFrame({0, 0, floatClient.width, floatClient.height});
    state.floating = {grown.width(), grown.height()};
    state.canDockLeftRight = CanDockLeftRight;

    const HWND self = hwnd();
    POINT cursor = grab;
    ClientToScreen(self, &cursor);
    if (HWND f = floatingWindow(); f && floating()) {
        RECT w;
        GetWindowRect(f, &w);
        state.floatGrab = DockPoint{cursor.x - w.left, cursor.y - w.top};
    }

    bool ctrl = ctrlDown;
    DockTarget target;
    const POINT pressed = cursor;
    bool moved = false;
    bool apply = false;
    {
        // No hint pops up over the outline; they come back with the release.
        HintSuspension noHints;
        DragOutline outline;
        auto update = [&](POINT screen) {
            target = FindDockTarget(candidates, state, {screen.x, screen.y}, ctrl);
            const DockRect& o = target.outline;
            outline.move(RECT{o.left, o.top, o.right, o.bottom}, target.dock < 0 ? 3 : 1);
        };
        update(cursor);
        apply = RunDragLoop(self, [&](const MSG& msg) {
            switch (msg.message) {
            case WM_MOUSEMOVE:
            case WM_LBUTTONUP:
                cursor = dragMessagePoint(msg);
                moved = moved || cursor.x != pressed.x || cursor.y != pressed.y;
                update(cursor);
                return msg.message == WM_LBUTTONUP ? DragStep::Finish : DragStep::Swallow;
            case WM_KEYDOWN:
            case WM_KEYUP:
                if (msg.wParam == VK_ESCAPE) return DragStep::Cancel;
                if (msg.wParam == VK_CONTROL) {
                    ctrl = msg.message == WM_KEYDOWN;
                    update(cursor);
                }
                return DragStep::Swallow;
            case WM_LBUTTONDOWN:
            case WM_LBUTTONDBLCLK:
                return DragStep::Cancel;
            case WM_RBUTTONDOWN:
            case WM_RBUTTONUP:
            case WM_RBUTTONDBLCLK:
            case WM_MBUTTONDOWN:
            case WM_MBUTTONUP:
            case WM_MBUTTONDBLCLK:
                return DragStep::Swallow;
            default:
                return DragStep::Dispatch;
            }
        });
    }
    // A click that never moved is no drag: the toolbar stays exactly where it
    // was, so the second click of a double click still finds it.
    if (!apply || !moved) return;
    if (target.dock >= 0) {
        dockRow_ = target.row;
        dockPos_ = target.pos;
        TDockSite* dock = docks[target.dock];
        if (dock == dockedTo_.get())
            dock->ArrangeToolbars();
        else
            SetDockedTo(dock);
        return;
    }
    setFloatRect(shrinkByFloatingFrame(target.outline));
    SetDockedTo(nullptr);
}

}  // namespace kv::ui
