#include "ui/HintWindow.h"

#include <algorithm>

#include "ui/PaintMessage.h"
#include "ui/SystemFonts.h"

namespace kv::ui {

namespace {

// Hints keep their line breaks and show "&" as it is.
constexpr UINT kTextFormat = DT_LEFT | DT_WORDBREAK | DT_NOPREFIX | DT_EXPANDTABS;
constexpr char kClassName[] = "KvHintWindow";

}  // namespace

HintWindow::~HintWindow() { destroyWindow(); }

HFONT HintWindow::currentFont() const {
    if (font) return font;
    if (HFONT f = SystemFonts::instance().status()) return f;
    return static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
}

RECT HintWindow::calcHintRect(int maxWidth, const std::string& text) {
    RECT r{0, 0, std::max(maxWidth - 2 * kMarginX - 2, 1), 0};
    HDC dc = GetDC(nullptr);
    HGDIOBJ old = SelectObject(dc, currentFont());
    DrawTextA(dc, text.c_str(), static_cast<int>(text.size()), &r, kTextFormat | DT_CALCRECT);
    SelectObject(dc, old);
    ReleaseDC(nullptr, dc);
    // The border of WS_BORDER is one pixel on each side.
    return RECT{0, 0, r.right + 2 * kMarginX + 2, r.bottom + 2 * kMarginY + 2};
}

void HintWindow::activateHint(const RECT& rect, const std::string& text) {
    text_ = text;
    if (!hwnd()) {
        Wnd::registerClass(kClassName, CS_SAVEBITS | CS_DROPSHADOW, nullptr, nullptr, nullptr);
        CreateArgs a;
        a.className = kClassName;
        a.style = WS_POPUP | WS_BORDER;
        a.exStyle = WS_EX_TOOLWINDOW | WS_EX_TOPMOST | WS_EX_NOACTIVATE;
        a.x = a.y = 0;
        a.width = a.height = 1;
        createWindow(a);
    }
    SetWindowPos(hwnd(), HWND_TOPMOST, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top,
                 SWP_NOACTIVATE | SWP_SHOWWINDOW);
    InvalidateRect(hwnd(), nullptr, TRUE);
    UpdateWindow(hwnd());
}

void HintWindow::hide() {
    if (hwnd()) ShowWindow(hwnd(), SW_HIDE);
}

void HintWindow::paint(HDC dc, const RECT& client) {
    HBRUSH back = CreateSolidBrush(color);
    FillRect(dc, &client, back);
    DeleteObject(back);
    RECT r = client;
    InflateRect(&r, -kMarginX, -kMarginY);
    HGDIOBJ old = SelectObject(dc, currentFont());
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, textColor);
    DrawTextA(dc, text_.c_str(), static_cast<int>(text_.size()), &r, kTextFormat);
    SelectObject(dc, old);
}

LRESULT HintWindow::wndProc(UINT msg, WPARAM wp, LPARAM lp) {
    const bool painted = handlePaintMessage(hwnd(), msg, wp, [this](HDC dc) {
        RECT client;
        GetClientRect(hwnd(), &client);
        paint(dc, client);
    });
    if (painted) return 0;
    switch (msg) {
    case WM_ERASEBKGND:
        return 1;
    // The mouse goes on to the window below, as if the hint were not there.
    case WM_NCHITTEST:
        return HTTRANSPARENT;
    case WM_MOUSEACTIVATE:
        return MA_NOACTIVATE;
    }
    return Wnd::wndProc(msg, wp, lp);
}

std::unique_ptr<HintWindow> defaultHintWindow() { return std::make_unique<HintWindow>(); }

RECT keepHintOnScreen(RECT r, POINT point, int aboveY) {
    MONITORINFO mi{};
    mi.cbSize = sizeof mi;
    if (!GetMonitorInfoA(MonitorFromPoint(point, MONITOR_DEFAULTTONEAREST), &mi)) return r;
    const RECT& work = mi.rcWork;
    int w = r.right - r.left, h = r.bottom - r.top;
    if (r.bottom > work.bottom) r.top = aboveY - h;
    if (r.right > work.right) r.left = work.right - w;
    r.left = std::max(r.left, work.left);
    r.top = std::max(r.top, work.top);
    r.right = r.left + w;
    r.bottom = r.top + h;
    return r;
}

}  // namespace kv::ui
