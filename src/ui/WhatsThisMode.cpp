#include "ui/WhatsThisMode.h"

#include "ui/Application.h"

namespace kv::ui {

void WhatsThisMode::start() {
    if (active_) return;
    form_.createHandle();
    Application& app = Application::instance();
    previous_ = app.screenCursor();
    app.setScreenCursor(LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_HELP)));
    listener_ = form_.addMessageListener([this](Form&, UINT msg, WPARAM&, LPARAM& lp, LRESULT& result) {
        result = 0;
        return message(msg, lp);
    });
    active_ = true;
    SetCapture(form_.hwnd());
}

void WhatsThisMode::stop() {
    if (!active_) return;
    // Cleared first: releasing the capture comes back here as a capture change.
    active_ = false;
    listener_.reset();
    if (GetCapture() == form_.hwnd()) ReleaseCapture();
    Application::instance().setScreenCursor(previous_);
    if (onEnd) onEnd(*this);
}

bool WhatsThisMode::message(UINT msg, LPARAM lp) {
    if (!active_) return false;
    switch (msg) {
    case WM_CAPTURECHANGED:
        if (reinterpret_cast<HWND>(lp) != form_.hwnd()) stop();
        return false;
    case WM_LBUTTONDOWN: {
        POINT client{static_cast<short>(LOWORD(lp)), static_cast<short>(HIWORD(lp))};
        POINT screen = client;
        ClientToScreen(form_.hwnd(), &screen);
        RECT r;
        GetClientRect(form_.hwnd(), &r);
        Control* picked = PtInRect(&r, client) ? controlAt(form_, client) : nullptr;
        stop();
        if (onPick) onPick(*this, picked, screen);
        return true;
    }
    case WM_LBUTTONUP:
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP:
    case WM_MBUTTONDOWN:
    case WM_MBUTTONUP:
    case WM_LBUTTONDBLCLK:
        return true;  // nothing else clicks while the mode lasts
    }
    return false;
}

Control* WhatsThisMode::controlAt(Form& form, POINT clientPoint) {
    HWND at = form.hwnd();
    POINT p = clientPoint;
    for (;;) {
        HWND child = ChildWindowFromPointEx(at, p, CWP_SKIPINVISIBLE | CWP_SKIPTRANSPARENT);
        if (!child || child == at) break;
        MapWindowPoints(at, child, &p, 1);
        at = child;
    }
    // A control's own inner windows (an edit's arrows, a combo's edit) stand for it.
    for (HWND h = at; h; h = GetParent(h)) {
        if (auto* c = dynamic_cast<Control*>(Wnd::fromHandle(h))) return c;
        if (h == form.hwnd()) break;
    }
    return &form;
}

}  // namespace kv::ui
