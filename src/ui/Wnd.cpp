#include "ui/Wnd.h"

#include <set>

#include "base/Errors.h"
#include "ui/Application.h"

namespace kv::ui {

namespace {

const char kWndProp[] = "KvWnd";

std::set<std::string>& ownClasses() {
    static std::set<std::string> names;
    return names;
}

}  // namespace

void Wnd::registerClass(const std::string& name, UINT style, HICON icon, HICON smallIcon, HBRUSH background) {
    if (ownClasses().count(name)) return;
    WNDCLASSEXA wc{};
    wc.cbSize = sizeof wc;
    wc.style = style;
    wc.lpfnWndProc = &Wnd::staticProc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.hIcon = icon;
    wc.hIconSm = smallIcon;
    wc.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
    wc.hbrBackground = background;
    wc.lpszClassName = name.c_str();
    if (!RegisterClassExA(&wc) && GetLastError() != ERROR_CLASS_ALREADY_EXISTS)
        throw Error("Cannot register the window class " + name);
    ownClasses().insert(name);
}

UINT allocateControlId() {
    static UINT next = 1000;
    return next++;
}

Wnd::~Wnd() { destroyWindow(); }

Wnd* Wnd::fromHandle(HWND hwnd) { return hwnd ? static_cast<Wnd*>(GetPropA(hwnd, kWndProp)) : nullptr; }

void Wnd::createWindow(const CreateArgs& a) {
    if (hwnd_) throw Error("The window already exists");
    bool own = ownClasses().count(a.className) != 0;
    HMENU menu = (a.style & WS_CHILD) ? reinterpret_cast<HMENU>(static_cast<UINT_PTR>(a.id)) : a.menu;
    HWND h = CreateWindowExA(a.exStyle, a.className.c_str(), a.text.c_str(), a.style, a.x, a.y, a.width, a.height,
                             a.parent, menu, GetModuleHandleA(nullptr), own ? this : nullptr);
    if (!h) throw Error("Cannot create a window of the class " + a.className);
    if (!own) attach(h, true);
}

void Wnd::subclassWindow(HWND hwnd) {
    if (hwnd_) throw Error("The object already has a window");
    if (hwnd) attach(hwnd, true);
}

void Wnd::releaseWindow() { detach(); }

void Wnd::destroyWindow() {
    if (hwnd_) {
        HWND h = hwnd_;
        DestroyWindow(h);
        if (hwnd_ == h) detach();
    }
}

void Wnd::attach(HWND hwnd, bool subclass) {
    hwnd_ = hwnd;
    SetPropA(hwnd, kWndProp, this);
    if (subclass)
        originalProc_ = reinterpret_cast<WNDPROC>(
            SetWindowLongPtrA(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&Wnd::staticProc)));
}

void Wnd::detach() {
    if (!hwnd_) return;
    RemovePropA(hwnd_, kWndProp);
    if (originalProc_) SetWindowLongPtrA(hwnd_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(originalProc_));
    originalProc_ = nullptr;
    hwnd_ = nullptr;
    windowDestroyed();
}

LRESULT CALLBACK Wnd::staticProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    Wnd* self = fromHandle(hwnd);
    if (!self && msg == WM_NCCREATE) {
        self = static_cast<Wnd*>(reinterpret_cast<CREATESTRUCTA*>(lp)->lpCreateParams);
        if (self) self->attach(hwnd, false);
    }
    if (!self) return DefWindowProcA(hwnd, msg, wp, lp);
    return self->dispatch(msg, wp, lp);
}

// The exception barrier: an exception in a handler becomes the error box and
// the message counts as handled; the program goes on.
LRESULT Wnd::dispatch(UINT msg, WPARAM wp, LPARAM lp) {
    LRESULT result = 0;
    try {
        result = wndProc(msg, wp, lp);
    } catch (...) {
        Application::instance().handleCurrentException();
    }
    if (msg == WM_NCDESTROY) detach();
    return result;
}

LRESULT Wnd::defaultProc(UINT msg, WPARAM wp, LPARAM lp) {
    if (originalProc_) return CallWindowProcA(originalProc_, hwnd_, msg, wp, lp);
    return DefWindowProcA(hwnd_, msg, wp, lp);
}

LRESULT Wnd::reflected(UINT, WPARAM, LPARAM, bool&) { return 0; }

Wnd* reflectionTarget(HWND parent, UINT msg, WPARAM wp, LPARAM lp) {
    HWND from = nullptr;
    switch (msg) {
    case WM_NOTIFY:
        from = reinterpret_cast<NMHDR*>(lp)->hwndFrom;
        break;
    case WM_COMMAND:
    case WM_HSCROLL:
    case WM_VSCROLL:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORSCROLLBAR:
    case WM_CTLCOLORSTATIC:
        from = reinterpret_cast<HWND>(lp);
        break;
    case WM_DRAWITEM: {
        auto* d = reinterpret_cast<DRAWITEMSTRUCT*>(lp);
        if (d->CtlType != ODT_MENU) from = d->hwndItem;
        break;
    }
    case WM_MEASUREITEM: {
        auto* m = reinterpret_cast<MEASUREITEMSTRUCT*>(lp);
        if (m->CtlType != ODT_MENU) from = GetDlgItem(parent, static_cast<int>(m->CtlID));
        break;
    }
    case WM_COMPAREITEM:
        from = reinterpret_cast<COMPAREITEMSTRUCT*>(lp)->hwndItem;
        break;
    default:
        return nullptr;
    }
    if (!from || from == parent) return nullptr;
    return Wnd::fromHandle(from);
}

LRESULT Wnd::wndProc(UINT msg, WPARAM wp, LPARAM lp) {
    if (Wnd* child = reflectionTarget(hwnd_, msg, wp, lp)) {
        bool handled = false;
        LRESULT r = child->reflected(msg, wp, lp, handled);
        if (handled) return r;
    }
    switch (msg) {
    case WM_NOTIFYFORMAT:
        // Our controls are ANSI: notifications arrive as their A forms.
        if (lp == NF_QUERY && !originalProc_) return NFR_ANSI;
        break;
    case WM_SETCURSOR:
        if (HCURSOR c = Application::instance().screenCursor()) {
            SetCursor(c);
            return TRUE;
        }
        break;
    }
    return defaultProc(msg, wp, lp);
}

}  // namespace kv::ui
