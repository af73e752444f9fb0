// The drag of a toolbar between docks: a local message loop with the mouse
// captured and a half-tone outline where the toolbar would land.
#include <windowsx.h>

#include "controls/docks/DockSiteWin32.h"
#include "controls/docks/DockTarget.h"
#include "controls/docks/DockToolbarWin32.h"
#include "controls/docks/FloatingToolbarWin32.h"
#include "ui/Application.h"
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

    bool ctrl = ctrlDown;
    DockTarget target;
    bool apply = false;
    const HWND self = hwnd();
    {
        // No hint pops up over the outline; they come back with the release.
        HintSuspension noHints;
        DragOutline outline;
        auto update = [&](POINT screen) {
            target = FindDockTarget(candidates, state, {screen.x, screen.y}, ctrl);
            const DockRect& o = target.outline;
            outline.move(RECT{o.left, o.top, o.right, o.bottom}, target.dock < 0 ? 3 : 1);
        };
        POINT cursor = grab;
        ClientToScreen(self, &cursor);
        update(cursor);
        SetCapture(self);
        MSG msg;
        for (;;) {
            if (!nextDragMessage(msg)) break;
            if (GetCapture() != self) break;
            bool done = false;
            switch (msg.message) {
            case WM_MOUSEMOVE:
            case WM_LBUTTONUP: {
                POINT p{GET_X_LPARAM(msg.lParam), GET_Y_LPARAM(msg.lParam)};
                ClientToScreen(msg.hwnd, &p);
                cursor = p;
                update(p);
                if (msg.message == WM_LBUTTONUP) {
                    apply = true;
                    done = true;
                }
                break;
            }
            case WM_KEYDOWN:
            case WM_KEYUP:
                if (msg.wParam == VK_CONTROL) {
                    ctrl = msg.message == WM_KEYDOWN;
                    update(cursor);
                } else if (msg.wParam == VK_ESCAPE) {
                    done = true;
                }
                break;
            case WM_LBUTTONDOWN:
            case WM_LBUTTONDBLCLK:
                done = true;
                break;
            case WM_RBUTTONDOWN:
            case WM_RBUTTONUP:
            case WM_RBUTTONDBLCLK:
            case WM_MBUTTONDOWN:
            case WM_MBUTTONUP:
            case WM_MBUTTONDBLCLK:
                break;
            default:
                TranslateMessage(&msg);
                DispatchMessageA(&msg);
                break;
            }
            if (done) break;
        }
        if (GetCapture() == self) ReleaseCapture();
    }
    if (!apply) return;
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
