#include "ui/DragLoop.h"

#include <windowsx.h>

namespace kv::ui {

bool nextDragMessage(MSG& msg) {
    const BOOL got = GetMessageA(&msg, nullptr, 0, 0);
    if (got > 0) return true;
    if (got == 0) PostQuitMessage(static_cast<int>(msg.wParam));
    return false;
}

namespace {

bool holdsCapture(HWND window) { return IsWindow(window) && GetCapture() == window; }

void deliver(MSG& msg) {
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
}

}  // namespace

bool RunDragLoop(HWND window, const std::function<DragStep(const MSG&)>& step) {
    if (!window || !IsWindow(window)) return false;
    SetCapture(window);
    bool finished = false;
    MSG msg;
    // The window may go with any message dispatched here: only its handle is
    // looked at, never the object behind it.
    while (holdsCapture(window) && nextDragMessage(msg)) {
        if (!holdsCapture(window)) {
            // Lost while waiting: the message belongs to whoever has the mouse now.
            deliver(msg);
            break;
        }
        const DragStep s = step(msg);
        if (s == DragStep::Finish) {
            finished = true;
            break;
        }
        if (s == DragStep::Cancel) break;
        if (s == DragStep::Dispatch) deliver(msg);
    }
    if (holdsCapture(window)) ReleaseCapture();
    return finished;
}

POINT dragMessagePoint(const MSG& msg) {
    POINT p{GET_X_LPARAM(msg.lParam), GET_Y_LPARAM(msg.lParam)};
    ClientToScreen(msg.hwnd, &p);
    return p;
}

}  // namespace kv::ui
