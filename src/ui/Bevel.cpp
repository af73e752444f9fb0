#include "ui/Bevel.h"

namespace kv::ui {

Bevel::Bevel() { setBevel(false); }

void Bevel::createParams(CreateArgs& args) {
    Panel::createParams(args);
    args.style &= ~WS_TABSTOP;
    args.exStyle &= ~WS_EX_CONTROLPARENT;
}

void Bevel::setShape(BevelShape shape) {
    shape_ = shape;
    if (hwnd()) InvalidateRect(hwnd(), nullptr, TRUE);
}

void Bevel::setStyle(BevelStyle style) {
    style_ = style;
    if (hwnd()) InvalidateRect(hwnd(), nullptr, TRUE);
}

namespace {
void fill(HDC dc, int left, int top, int right, int bottom, COLORREF colour) {
    RECT r{left, top, right, bottom};
    SetBkColor(dc, colour);
    ExtTextOutA(dc, 0, 0, ETO_OPAQUE, &r, nullptr, 0, nullptr);
}

// A one-pixel frame: top and left in one colour, bottom and right in another.
void frame(HDC dc, const RECT& r, COLORREF topLeft, COLORREF bottomRight) {
    fill(dc, r.left, r.top, r.right - 1, r.top + 1, topLeft);
    fill(dc, r.left, r.top, r.left + 1, r.bottom - 1, topLeft);
    fill(dc, r.left, r.bottom - 1, r.right, r.bottom, bottomRight);
    fill(dc, r.right - 1, r.top, r.right, r.bottom, bottomRight);
}
}  // namespace

void Bevel::paint(HDC dc) {
    const RECT r = clientRect();
    const COLORREF shadow = GetSysColor(COLOR_BTNSHADOW), light = GetSysColor(COLOR_BTNHIGHLIGHT);
    // Lowered: the shadow comes first (top, left), the highlight after it.
    const bool lowered = style_ == BevelStyle::Lowered;
    const COLORREF first = lowered ? shadow : light, second = lowered ? light : shadow;
    const COLORREF oldBk = GetBkColor(dc);
    switch (shape_) {
    case BevelShape::Box: frame(dc, r, first, second); break;
    case BevelShape::Frame:
        frame(dc, {r.left, r.top, r.right - 1, r.bottom - 1}, first, first);
        frame(dc, {r.left + 1, r.top + 1, r.right, r.bottom}, second, second);
        break;
    case BevelShape::TopLine:
        fill(dc, r.left, 0, r.right, 1, first);
        fill(dc, r.left, 1, r.right, 2, second);
        break;
    case BevelShape::BottomLine:
        fill(dc, r.left, r.bottom - 2, r.right, r.bottom - 1, first);
        fill(dc, r.left, r.bottom - 1, r.right, r.bottom, second);
        break;
    case BevelShape::LeftLine:
        fill(dc, 0, r.top, 1, r.bottom, first);
        fill(dc, 1, r.top, 2, r.bottom, second);
        break;
    case BevelShape::RightLine:
        fill(dc, r.right - 2, r.top, r.right - 1, r.bottom, first);
        fill(dc, r.right - 1, r.top, r.right, r.bottom, second);
        break;
    case BevelShape::Spacer: break;
    }
    SetBkColor(dc, oldBk);
}

LRESULT Bevel::wndProc(UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_NCHITTEST) return HTTRANSPARENT;
    return Panel::wndProc(msg, wp, lp);
}

}  // namespace kv::ui
