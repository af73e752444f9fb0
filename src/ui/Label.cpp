#include "ui/Label.h"

namespace kv::ui {

void Label::setAlignment(Alignment a) {
    alignment_ = a;
    recreateWnd();
}

bool Label::mnemonic(char key) {
    if (!focusControl_ || !focusControl_->hwnd() || !IsWindowEnabled(focusControl_->hwnd()) ||
        !hasMnemonic(text(), key))
        return false;
    focusControl_->setFocus();
    return true;
}

void Label::createParams(CreateArgs& args) {
    Control::createParams(args);
    args.className = "STATIC";
    args.style |= alignment_ == Alignment::Center ? SS_CENTER : alignment_ == Alignment::Right ? SS_RIGHT : SS_LEFT;
    if (transparent_) args.exStyle |= WS_EX_TRANSPARENT;
}

void Label::createWnd() {
    Control::createWnd();
    if (underline_) applyUnderline();
    if (autoSize_) adjustSize();
}

void Label::repaint() {
    if (hwnd()) InvalidateRect(hwnd(), nullptr, TRUE);
}

void Label::setTextColor(std::optional<COLORREF> colour) {
    textColor_ = colour;
    repaint();
}

void Label::setTransparent(bool transparent) {
    if (transparent == transparent_) return;
    transparent_ = transparent;
    recreateWnd();
}

void Label::applyUnderline() {
    if (!hwnd()) return;
    LOGFONTA lf{};
    HFONT base = font();
    GetObjectA(base, sizeof lf, &lf);
    lf.lfUnderline = underline_ ? TRUE : FALSE;
    underlineFont_.reset(CreateFontIndirectA(&lf));
    SendMessageA(hwnd(), WM_SETFONT, reinterpret_cast<WPARAM>(underlineFont_.get()), TRUE);
}

void Label::setUnderline(bool underline) {
    underline_ = underline;
    if (underline) {
        applyUnderline();
    } else if (hwnd()) {
        SendMessageA(hwnd(), WM_SETFONT, reinterpret_cast<WPARAM>(font()), TRUE);
        underlineFont_.reset();
    }
}

void Label::setAutoSize(bool autoSize) {
    autoSize_ = autoSize;
    if (autoSize) adjustSize();
}

void Label::adjustSize() {
    const std::string t = text();
    HDC dc = GetDC(nullptr);
    HGDIOBJ old = SelectObject(dc, underlineFont_.get() ? underlineFont_.get() : font());
    RECT r{0, 0, 0, 0};
    DrawTextA(dc, t.empty() ? " " : t.c_str(), -1, &r, DT_CALCRECT | DT_SINGLELINE);
    SelectObject(dc, old);
    ReleaseDC(nullptr, dc);
    setBounds(left(), top(), r.right - r.left, r.bottom - r.top);
}

LRESULT Label::reflected(UINT msg, WPARAM wp, LPARAM lp, bool& handled) {
    if (msg != WM_CTLCOLORSTATIC || (!textColor_ && !transparent_))
        return Control::reflected(msg, wp, lp, handled);
    handled = true;
    HDC dc = reinterpret_cast<HDC>(wp);
    SetTextColor(dc, textColor_.value_or(GetSysColor(COLOR_WINDOWTEXT)));
    if (transparent_) {
        SetBkMode(dc, TRANSPARENT);
        return reinterpret_cast<LRESULT>(GetStockObject(NULL_BRUSH));
    }
    SetBkColor(dc, color());
    return reinterpret_cast<LRESULT>(colorBrush());
}

LRESULT Label::wndProc(UINT msg, WPARAM wp, LPARAM lp) {
    const LRESULT r = Control::wndProc(msg, wp, lp);
    if (msg == WM_SETTEXT && autoSize_) adjustSize();
    return r;
}

}  // namespace kv::ui
