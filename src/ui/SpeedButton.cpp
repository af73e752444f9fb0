#include "ui/SpeedButton.h"

#include <algorithm>

#include "ui/Canvas.h"
#include "ui/GlyphStrip.h"
#include "ui/PaintMessage.h"

namespace kv::ui {

SpeedButton::SpeedButton() { setBounds(0, 0, 23, 22); }

void SpeedButton::createParams(CreateArgs& args) {
    Control::createParams(args);
    Wnd::registerClass("KvSpeedButton", CS_DBLCLKS, nullptr, nullptr, nullptr);
    args.className = "KvSpeedButton";
}

void SpeedButton::repaint() {
    if (hwnd()) InvalidateRect(hwnd(), nullptr, TRUE);
}

void SpeedButton::setGlyph(HBITMAP strip, int numGlyphs) {
    glyph_ = strip;
    numGlyphs_ = std::clamp(numGlyphs, 1, 4);
    repaint();
}

int SpeedButton::numGlyphs() const { return glyphCount(glyph_, numGlyphs_); }

void SpeedButton::setFlat(bool flat) {
    flat_ = flat;
    repaint();
}

void SpeedButton::setDown(bool down) {
    if (down == down_) return;
    if (!down && groupIndex != 0 && !allowAllUp) return;  // one of the group stays down
    down_ = down;
    if (down && groupIndex != 0 && parent())
        for (Control* c : parent()->children())
            if (auto* s = dynamic_cast<SpeedButton*>(c); s && s != this && s->groupIndex == groupIndex && s->down_) {
                s->down_ = false;
                s->repaint();
            }
    repaint();
}

void SpeedButton::click() {
    if (groupIndex != 0) setDown(!down_ || !allowAllUp ? true : false);
    if (onClick) onClick(*this);
}

bool SpeedButton::mnemonic(char key) {
    if (!enabled() || !hasMnemonic(text(), key)) return false;
    click();
    return true;
}

void SpeedButton::paint(HDC dc) {
    Canvas c(dc);
    RECT r = clientRect();
    c.setBrushColor(color());
    c.fillRect(r);
    bool sunk = down_ || pressed_;
    if (sunk) c.drawEdge(r, flat_ ? BDR_SUNKENOUTER : EDGE_SUNKEN, BF_RECT);
    else if (!flat_) c.drawEdge(r, EDGE_RAISED, BF_RECT);
    else if (hot_ && enabled()) c.drawEdge(r, BDR_RAISEDINNER, BF_RECT);

    int textLeft = r.left;
    if (int n = numGlyphs()) {
        SIZE g = glyphSize(glyph_, n);
        int index = 0;
        if (!enabled() && n > 1) index = 1;
        else if (pressed_ && n > 2) index = 2;
        else if (down_ && n > 3) index = 3;
        int x = text().empty() ? (r.right - g.cx) / 2 : 4, y = (r.bottom - g.cy) / 2;
        if (sunk) ++x, ++y;
        drawGlyph(dc, glyph_, n, index, x, y);
        textLeft = x + g.cx + 2;
    }
    std::string caption = text();
    if (!caption.empty()) {
        RECT tr{textLeft, r.top, r.right, r.bottom};
        c.setFont(font());
        SetBkMode(dc, TRANSPARENT);
        c.setTextColor(GetSysColor(enabled() ? COLOR_BTNTEXT : COLOR_GRAYTEXT));
        c.drawText(caption, tr, DT_SINGLELINE | DT_VCENTER | (numGlyphs() ? DT_LEFT : DT_CENTER));
    }
}

LRESULT SpeedButton::wndProc(UINT msg, WPARAM wp, LPARAM lp) {
    if (handlePaintMessage(hwnd(), msg, wp, [this](HDC dc) { paint(dc); })) return 0;
    switch (msg) {
    case WM_ERASEBKGND:
        return TRUE;
    case WM_MOUSEACTIVATE:
        return MA_NOACTIVATE;  // a tool button leaves the focus where it is
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
        pressed_ = true;
        SetCapture(hwnd());
        repaint();
        break;
    case WM_LBUTTONUP: {
        bool wasPressed = pressed_;
        pressed_ = false;
        if (GetCapture() == hwnd()) ReleaseCapture();
        POINT p{static_cast<short>(LOWORD(lp)), static_cast<short>(HIWORD(lp))};
        RECT r = clientRect();
        repaint();
        LRESULT res = Control::wndProc(msg, wp, lp);
        if (wasPressed && PtInRect(&r, p)) click();
        return res;
    }
    case WM_MOUSEMOVE:
        // The control's leave tracking brings the WM_MOUSELEAVE that cools it.
        if (!hot_) {
            hot_ = true;
            repaint();
        }
        break;
    case WM_MOUSELEAVE:
        hot_ = false;
        repaint();
        break;
    }
    return Control::wndProc(msg, wp, lp);
}

}  // namespace kv::ui
