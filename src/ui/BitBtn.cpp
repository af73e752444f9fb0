#include "ui/BitBtn.h"

#include <algorithm>

#include "ui/Canvas.h"
#include "ui/GlyphStrip.h"

namespace kv::ui {

BitBtn::BitBtn() { setBounds(0, 0, 75, 25); }

void BitBtn::createParams(CreateArgs& args) {
    Button::createParams(args);
    default_ = (args.style & BS_TYPEMASK) == BS_DEFPUSHBUTTON;
    args.style = (args.style & ~BS_TYPEMASK) | BS_OWNERDRAW;
}

LRESULT BitBtn::wndProc(UINT msg, WPARAM wp, LPARAM lp) {
    // Becoming the default button must not end the owner drawing.
    if (msg == BM_SETSTYLE) {
        default_ = (wp & BS_TYPEMASK) == BS_DEFPUSHBUTTON;
        wp = (wp & ~BS_TYPEMASK) | BS_OWNERDRAW;
    }
    return Button::wndProc(msg, wp, lp);
}

void BitBtn::repaint() {
    if (hwnd()) InvalidateRect(hwnd(), nullptr, TRUE);
}

void BitBtn::setGlyph(HBITMAP strip, int numGlyphs) {
    glyph_ = strip;
    numGlyphs_ = std::clamp(numGlyphs, 1, 2);
    repaint();
}

int BitBtn::numGlyphs() const { return glyphCount(glyph_, numGlyphs_); }

void BitBtn::setMargin(int margin) {
    margin_ = std::max(-1, margin);
    repaint();
}

void BitBtn::setSpacing(int spacing) {
    spacing_ = std::max(0, spacing);
    repaint();
}

int BitBtn::captionWidth() const {
    const std::string caption = text();
    if (caption.empty()) return 0;
    HDC dc = GetDC(hwnd());
    HGDIOBJ old = SelectObject(dc, font());
    RECT r{0, 0, 0, 0};
    DrawTextA(dc, caption.c_str(), static_cast<int>(caption.size()), &r, DT_SINGLELINE | DT_CALCRECT);
    SelectObject(dc, old);
    ReleaseDC(hwnd(), dc);
    return r.right - r.left;
}

BitBtn::Placement BitBtn::placement() const {
    const RECT client = clientRect();
    const SIZE g = glyphSize(glyph_, numGlyphs_);
    const int textWidth = captionWidth();
    const int gap = g.cx > 0 && textWidth > 0 ? spacing_ : 0;
    const int content = g.cx + gap + textWidth;
    const int left = margin_ < 0 ? client.left + (client.right - client.left - content) / 2 : client.left + margin_;
    const int glyphTop = client.top + (client.bottom - client.top - g.cy) / 2;
    Placement p;
    p.glyph = {left, glyphTop, left + g.cx, glyphTop + g.cy};
    p.text = {left + g.cx + gap, client.top, left + content, client.bottom};
    return p;
}

void BitBtn::draw(const DRAWITEMSTRUCT& item) {
    const bool pressed = (item.itemState & ODS_SELECTED) != 0;
    const bool disabled = (item.itemState & ODS_DISABLED) != 0;
    Canvas c(item.hDC);
    RECT r = item.rcItem;
    if (default_) {
        c.setBrushColor(GetSysColor(COLOR_WINDOWFRAME));
        c.frameRect(r);
        InflateRect(&r, -1, -1);
    }
    c.drawFrameControl(r, DFC_BUTTON, DFCS_BUTTONPUSH | (pressed ? DFCS_PUSHED : 0));
    Placement p = placement();
    const int shift = pressed ? 1 : 0;  // the contents sink with the button
    if (int n = numGlyphs())
        drawGlyph(item.hDC, glyph_, n, disabled ? 1 : 0, p.glyph.left + shift, p.glyph.top + shift);
    if (const std::string caption = text(); !caption.empty()) {
        RECT tr = p.text;
        OffsetRect(&tr, shift, shift);
        tr.right = std::max(tr.right, r.right);
        c.setFont(font());
        SetBkMode(item.hDC, TRANSPARENT);
        c.setTextColor(GetSysColor(disabled ? COLOR_GRAYTEXT : COLOR_BTNTEXT));
        c.drawText(caption, tr, DT_SINGLELINE | DT_VCENTER | DT_LEFT);
    }
    if (item.itemState & ODS_FOCUS) {
        RECT f = r;
        InflateRect(&f, -4, -4);
        c.drawFocusRect(f);
    }
}

LRESULT BitBtn::reflected(UINT msg, WPARAM wp, LPARAM lp, bool& handled) {
    if (msg == WM_DRAWITEM) {
        handled = true;
        draw(*reinterpret_cast<const DRAWITEMSTRUCT*>(lp));
        return TRUE;
    }
    return Button::reflected(msg, wp, lp, handled);
}

}  // namespace kv::ui
