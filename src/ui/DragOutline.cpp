#include "ui/DragOutline.h"

namespace kv::ui {

GdiObject<HBRUSH> makeHalftoneBrush() {
    WORD pattern[8];
    for (int i = 0; i < 8; ++i) pattern[i] = static_cast<WORD>((i & 1) ? 0xAA : 0x55);
    GdiObject<HBITMAP> bits(CreateBitmap(8, 8, 1, 1, pattern));
    return GdiObject<HBRUSH>(CreatePatternBrush(bits.get()));
}

void invertFrame(HDC dc, const RECT& r, int t, HBRUSH brush) {
    HGDIOBJ old = SelectObject(dc, brush);
    const int w = r.right - r.left;
    const int h = r.bottom - r.top;
    if (w <= 2 * t || h <= 2 * t) {
        PatBlt(dc, r.left, r.top, w, h, PATINVERT);
    } else {
        PatBlt(dc, r.left, r.top, w, t, PATINVERT);
        PatBlt(dc, r.left, r.bottom - t, w, t, PATINVERT);
        PatBlt(dc, r.left, r.top + t, t, h - 2 * t, PATINVERT);
        PatBlt(dc, r.right - t, r.top + t, t, h - 2 * t, PATINVERT);
    }
    SelectObject(dc, old);
}

DragOutline::DragOutline(HWND over) : brush_(makeHalftoneBrush()), window_(over ? over : GetDesktopWindow()) {
    locked_ = LockWindowUpdate(window_) != FALSE;
    const DWORD area = over ? DCX_CLIPSIBLINGS : DCX_WINDOW;
    dc_ = GetDCEx(window_, nullptr, area | DCX_CACHE | (locked_ ? DCX_LOCKWINDOWUPDATE : 0));
}

DragOutline::~DragOutline() {
    hide();
    if (dc_) ReleaseDC(window_, dc_);
    if (locked_) LockWindowUpdate(nullptr);
}

void DragOutline::move(const RECT& r, int thickness) {
    if (shown_ && EqualRect(&*shown_, &r) && thickness == thickness_) return;
    hide();
    if (!dc_) return;
    invertFrame(dc_, r, thickness, brush_.get());
    shown_ = r;
    thickness_ = thickness;
}

void DragOutline::hide() {
    if (!shown_ || !dc_) return;
    invertFrame(dc_, *shown_, thickness_, brush_.get());
    shown_.reset();
}

}  // namespace kv::ui
