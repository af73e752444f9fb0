#include "ui/SpeedButton.h"

#include <windowsx.h>

#include "ui/PaintMessage.h"

namespace kv::ui {

namespace {
const char* const kButtonClass = "KvSpeedButton";
}  // namespace

SpeedButton::SpeedButton() { setBounds(0, 0, 23, 22); }

SpeedButton::~SpeedButton() {
    if (destroyed_) *destroyed_ = true;
}

void SpeedButton::createParams(CreateArgs& args) {
    Control::createParams(args);
    Wnd::registerClass(kButtonClass, CS_DBLCLKS, nullptr, nullptr, nullptr);
    args.className = kButtonClass;
}

void SpeedButton::repaint() {
    if (hwnd()) InvalidateRect(hwnd(), nullptr, TRUE);
}

void SpeedButton::setGlyph(HBITMAP strip, int numGlyphs) {
    glyph_.setGlyph(strip, numGlyphs);
    repaint();
}

void SpeedButton::setOldDisabledStyle(bool old) {
    glyph_.setOldDisabledStyle(old);
    repaint();
}

void SpeedButton::setFlat(bool flat) {
    if (flat == flat_) return;
    flat_ = flat;
    repaint();
}

TButtonState SpeedButton::state() const { return ButtonState(enabled(), pressed_, down_, hot_); }

void SpeedButton::setDown(bool down) {
    if (down == down_) return;
    if (!down && groupIndex != 0 && !allowAllUp) return;  // one of the group stays down
    down_ = down;
    if (down && groupIndex != 0 && parent())
        for (Control* c : parent()->children())
            if (auto* b = dynamic_cast<SpeedButton*>(c); b && b != this && b->groupIndex == groupIndex) {
                b->allowAllUp = allowAllUp;
                if (b->down_) {
                    b->down_ = false;
                    b->repaint();
                }
            }
    repaint();
}

void SpeedButton::click() {
    if (groupIndex != 0) setDown(!down_ || !allowAllUp);
    if (onClick) onClick(*this);
}

bool SpeedButton::mnemonic(char key) {
    if (!enabled() || !visible() || !hasMnemonic(text(), key)) return false;
    click();
    return true;
}

void SpeedButton::paint(HDC dc) {
    RECT r = clientRect();
    if (opaque)
        FillRect(dc, &r, colorBrush());
    else
        paintParentBackground(dc, r);
    const TButtonState s = state();
    const bool sunk = s == TButtonState::bsDown || s == TButtonState::bsExclusive;
    if (sunk)
        DrawEdge(dc, &r, flat_ ? BDR_SUNKENOUTER : EDGE_SUNKEN, BF_RECT);
    else if (!flat_)
        DrawEdge(dc, &r, EDGE_RAISED, BF_RECT);
    else if (s == TButtonState::bsHot)
        DrawEdge(dc, &r, BDR_RAISEDINNER, BF_RECT);

    DockRect content{r.left + 1, r.top + 1, r.right - 1, r.bottom - 1};
    const bool arrow = dropdownMenu && dropdownArrow;
    if (arrow) content.right -= kDropdownArrowWidth;
    const int n = displayMode == TButtonDisplayMode::dmTextOnly ? 0 : glyph_.count();
    const SIZE g = n ? glyph_.size() : SIZE{0, 0};
    const std::string caption = displayMode == TButtonDisplayMode::dmGlyphOnly ? std::string() : text();
    HGDIOBJ oldFont = SelectObject(dc, font());
    SIZE t{0, 0};
    if (!caption.empty()) GetTextExtentPoint32A(dc, caption.c_str(), static_cast<int>(caption.size()), &t);
    const ButtonContent place = LayoutButtonContent(content, {g.cx, g.cy}, {t.cx, t.cy}, layout, margin, spacing);
    const int shift = sunk ? 1 : 0;
    if (n) glyph_.draw(dc, s, place.glyph.x + shift, place.glyph.y + shift);
    if (!caption.empty()) {
        RECT tr{place.text.left + shift, place.text.top + shift, content.right, place.text.bottom + shift};
        if (wordWrap) tr = {content.left, content.top, content.right, content.bottom};
        SetBkMode(dc, TRANSPARENT);
        SetTextColor(dc, GetSysColor(enabled() ? COLOR_BTNTEXT : COLOR_GRAYTEXT));
        DrawTextA(dc, caption.c_str(), static_cast<int>(caption.size()), &tr,
                  wordWrap ? DT_WORDBREAK | DT_CENTER : DT_SINGLELINE);
    }
    SelectObject(dc, oldFont);
    if (arrow) {
        const int x = r.right - kDropdownArrowWidth + 3 + shift;
        const int y = (r.bottom - 3) / 2 + shift;
        for (int i = 0; i < 3; ++i) {
            RECT line{x + i, y + i, x + 5 - i, y + i + 1};
            FillRect(dc, &line, GetSysColorBrush(enabled() ? COLOR_BTNTEXT : COLOR_GRAYTEXT));
        }
    }
}

PopupAnchor SpeedButton::dropdownAnchor(const DockRect& button) const {
    return DropdownAnchor(DockSide::None, button);
}

Form* SpeedButton::owningForm() const {
    for (Control* c = parent(); c; c = c->parent())
        if (auto* form = dynamic_cast<Form*>(c)) return form;
    return nullptr;
}

void SpeedButton::enterHot() {
    if (hot_ || !enabled()) return;
    hot_ = true;
    // The control's leave tracking brings the WM_MOUSELEAVE that cools it;
    // switching to another program sends none while the mouse stays.
    if (Form* form = owningForm())
        appListener_ = form->addMessageListener([this](Form&, UINT msg, WPARAM& wp, LPARAM&, LRESULT&) {
            if (msg == WM_ACTIVATEAPP && !wp) leaveHot();
            return false;
        });
    repaint();
    if (onHotEnter) onHotEnter(*this);
}

void SpeedButton::leaveHot() {
    if (!hot_ || tracking_) return;
    hot_ = false;
    appListener_.reset();
    repaint();
    if (onHotExit) onHotExit(*this);
}

void SpeedButton::openMenu() {
    RECT r;
    GetWindowRect(hwnd(), &r);
    const PopupAnchor a = dropdownAnchor({r.left, r.top, r.right, r.bottom});
    pressed_ = true;
    repaint();
    UpdateWindow(hwnd());
    bool destroyed = false;
    destroyed_ = &destroyed;
    // The form owns the menu, so an owner-drawn one is drawn; the chosen item runs.
    Form* form = owningForm();
    dropdownMenu->Popup(form && form->hwnd() ? form->hwnd() : GetParent(hwnd()), a.at.x, a.at.y,
                        a.rightAligned ? PopupAlignment::Right : PopupAlignment::Left);
    if (destroyed) return;
    destroyed_ = nullptr;
    pressed_ = false;
    // The press that closed the menu must not press the button again.
    MSG msg;
    while (PeekMessageA(&msg, nullptr, WM_LBUTTONDOWN, WM_MBUTTONDBLCLK, PM_REMOVE)) {
    }
    repaint();
}

LRESULT SpeedButton::wndProc(UINT msg, WPARAM wp, LPARAM lp) {
    if (handlePaintMessage(hwnd(), msg, wp, [this](HDC dc) { paint(dc); })) return 0;
    switch (msg) {
    case WM_ERASEBKGND:
        return TRUE;
    case WM_ENABLE:
        // Enabled and disabled buttons look different.
        repaint();
        break;
    case WM_MOUSEACTIVATE:
        // The focus stays where it is; the form comes to the front when another
        // window of the program was active.
        if (Form* form = owningForm()) activateForClick(*form);
        return MA_NOACTIVATE;
    case WM_MOUSEMOVE:
        enterHot();
        if (tracking_) {
            const POINT p{GET_X_LPARAM(lp), GET_Y_LPARAM(lp)};
            const RECT r = clientRect();
            const bool inside = PtInRect(&r, p) != FALSE;
            if (inside != pressed_) {
                pressed_ = inside;
                repaint();
            }
        }
        break;
    case WM_MOUSELEAVE:
        leaveHot();
        break;
    case WM_LBUTTONDBLCLK:
        if (down_ && onDblClick) {
            onDblClick(*this);
            return 0;
        }
        [[fallthrough]];
    case WM_LBUTTONDOWN: {
        if (!enabled()) return 0;
        if (DropdownPartHit(GET_X_LPARAM(lp), width(), dropdownMenu != nullptr, dropdownCombo)) {
            openMenu();
            return 0;
        }
        tracking_ = true;
        pressed_ = true;
        SetCapture(hwnd());
        repaint();
        break;
    }
    case WM_LBUTTONUP: {
        if (!tracking_) break;
        const bool wasPressed = pressed_;
        tracking_ = false;
        pressed_ = false;
        if (GetCapture() == hwnd()) ReleaseCapture();
        const POINT p{GET_X_LPARAM(lp), GET_Y_LPARAM(lp)};
        const RECT r = clientRect();
        repaint();
        const LRESULT res = Control::wndProc(msg, wp, lp);
        if (wasPressed && PtInRect(&r, p)) click();
        return res;
    }
    case WM_CAPTURECHANGED:
        if (tracking_) {
            tracking_ = false;
            pressed_ = false;
            repaint();
        }
        break;
    default:
        break;
    }
    return Control::wndProc(msg, wp, lp);
}

}  // namespace kv::ui
