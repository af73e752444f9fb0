#include "controls/small/LabelsWin32.h"

#include <shellapi.h>
#include <windowsx.h>

#include "controls/small/SmallControlRules.h"
#include "ui/Clipboard.h"

namespace kv::ui {

TFileLabel::TFileLabel() = default;

void TFileLabel::SetFileName(const std::string& path) {
    fileName_ = path;
    refreshText();
}

void TFileLabel::SetDirection(TDirection direction) {
    direction_ = direction;
    refreshText();
}

void TFileLabel::SetSeparator(const std::string& separator) {
    separator_ = separator;
    refreshText();
}

void TFileLabel::refreshText() {
    if (updating_) return;
    updating_ = true;
    HDC dc = GetDC(nullptr);
    HGDIOBJ old = SelectObject(dc, font());
    auto width = [dc](const std::string& s) {
        SIZE size{};
        GetTextExtentPoint32A(dc, s.c_str(), static_cast<int>(s.size()), &size);
        return static_cast<int>(size.cx);
    };
    const std::string shown = ShortenPath(fileName_, this->width(), separator_, direction_, width);
    SelectObject(dc, old);
    ReleaseDC(nullptr, dc);
    setText(shown);
    updating_ = false;
}

LRESULT TFileLabel::wndProc(UINT msg, WPARAM wp, LPARAM lp) {
    const LRESULT r = Label::wndProc(msg, wp, lp);
    if (msg == WM_SIZE || msg == WM_SETFONT) refreshText();
    return r;
}

namespace {

// The program's own hand pointer; the system's where a module has none.
HCURSOR HandCursor() {
    if (HCURSOR own = LoadCursorA(GetModuleHandleA(nullptr), "HAND"))
        return own;
    return LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_HAND));
}

}  // namespace

TUrlLabel::TUrlLabel() {
    setTextColor(RGB(0, 0, 0xFF));
    setCursor(HandCursor());
}

void TUrlLabel::createWnd() {
    Label::createWnd();
    // A static control reports clicks only with SS_NOTIFY.
    SetWindowLongA(hwnd(), GWL_STYLE, GetWindowLongA(hwnd(), GWL_STYLE) | SS_NOTIFY);
    setUnderline(true);
}

void TUrlLabel::click() {
    const std::optional<std::string> target = UrlTarget(URL, text());
    if (!target) return;
    if (Opener)
        Opener(*target);
    else
        ShellExecuteA(GetDesktopWindow(), "open", target->c_str(), nullptr, nullptr, SW_SHOWNORMAL);
}

void TUrlLabel::copyCaption() { setClipboardText(hwnd(), text()); }

LRESULT TUrlLabel::wndProc(UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
    case WM_NCHITTEST:
        return HTCLIENT;
    case WM_LBUTTONDOWN:
        restColor_ = textColor();
        setTextColor(ActiveColor);
        SetCapture(hwnd());
        return 0;
    case WM_LBUTTONUP: {
        if (!restColor_) return 0;
        setTextColor(restColor_);
        restColor_.reset();
        if (GetCapture() == hwnd()) ReleaseCapture();
        const POINT p{GET_X_LPARAM(lp), GET_Y_LPARAM(lp)};
        const RECT r = clientRect();
        if (PtInRect(&r, p)) click();
        return 0;
    }
    case WM_CONTEXTMENU: {
        HMENU menu = CreatePopupMenu();
        AppendMenuA(menu, MF_STRING, 1, "Copy");
        POINT p{GET_X_LPARAM(lp), GET_Y_LPARAM(lp)};
        if (p.x == -1 && p.y == -1) {
            p = {0, 0};
            ClientToScreen(hwnd(), &p);
        }
        const int chosen = TrackPopupMenu(menu, TPM_RETURNCMD | TPM_RIGHTBUTTON, p.x, p.y, 0, hwnd(), nullptr);
        DestroyMenu(menu);
        if (chosen == 1) copyCaption();
        return 0;
    }
    default:
        return Label::wndProc(msg, wp, lp);
    }
}

}  // namespace kv::ui
