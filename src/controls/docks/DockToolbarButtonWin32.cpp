#include "controls/docks/DockToolbarButtonWin32.h"

#include <windowsx.h>

#include <algorithm>

#include "controls/docks/DockToolbarWin32.h"
#include "ui/PaintMessage.h"

namespace kv::ui {

namespace {
const char* const kButtonClass = "KvDockToolbarButton";
}  // namespace

TDockToolbarButton::TDockToolbarButton() { setBounds(0, 0, 23, 22); }

TDockToolbarButton::~TDockToolbarButton() {
    if (destroyed_) *destroyed_ = true;
}

void TDockToolbarButton::createParams(CreateArgs& args) {
    Control::createParams(args);
    Wnd::registerClass(kButtonClass, CS_DBLCLKS, nullptr, nullptr, nullptr);
    args.className = kButtonClass;
}

void TDockToolbarButton::repaint() {
    if (hwnd()) InvalidateRect(hwnd(), nullptr, TRUE);
}

void TDockToolbarButton::SetGlyph(HBITMAP strip, int numGlyphs) {
    glyph_.setGlyph(strip, numGlyphs);
    repaint();
}

void TDockToolbarButton::SetOldDisabledStyle(bool old) {
    glyph_.setOldDisabledStyle(old);
    repaint();
}

TButtonState TDockToolbarButton::state() const { return ButtonState(enabled(), pressed_, down_, hot_); }

void TDockToolbarButton::SetDown(bool down) {
    if (down == down_) return;
    if (!down && GroupIndex != 0 && !AllowAllUp) return;
    down_ = down;
    if (down && GroupIndex != 0 && parent())
        for (Control* c : parent()->children())
            if (auto* b = dynamic_cast<TDockToolbarButton*>(c); b && b != this && b->GroupIndex == GroupIndex) {
                b->AllowAllUp = AllowAllUp;
                if (b->down_) {
                    b->down_ = false;
                    b->repaint();
                }
            }
    repaint();
}

void TDockToolbarButton::click() {
    if (GroupIndex != 0) SetDown(!down_ || !AllowAllUp);
    if (OnClick) OnClick(*this);
}

bool TDockToolbarButton::mnemonic(char key) {
    if (!enabled() || !visible() || !hasMnemonic(text(), key)) return false;
    click();
    return true;
}

DockSide TDockToolbarButton::dockSide() const {
    auto* bar = dynamic_cast<TDockToolbar*>(parent());
    if (!bar || !bar->DockedTo()) return DockSide::None;
    switch (bar->DockedTo()->Position()) {
    case TDockPosition::dpTop: return DockSide::Top;
    case TDockPosition::dpBottom: return DockSide::Bottom;
    case TDockPosition::dpLeft: return DockSide::Left;
    case TDockPosition::dpRight: return DockSide::Right;
    }
    return DockSide::None;
}

void TDockToolbarButton::paint(HDC dc) {
    RECT r = clientRect();
    if (Opaque)
        FillRect(dc, &r, colorBrush());
    else
        paintParentBackground(dc, r);
    const TButtonState s = state();
    const bool sunk = s == TButtonState::bsDown || s == TButtonState::bsExclusive;
    if (sunk)
        DrawEdge(dc, &r, Flat ? BDR_SUNKENOUTER : EDGE_SUNKEN, BF_RECT);
    else if (!Flat)
        DrawEdge(dc, &r, EDGE_RAISED, BF_RECT);
    else if (s == TButtonState::bsHot)
        DrawEdge(dc, &r, BDR_RAISEDINNER, BF_RECT);

    DockRect content{r.left + 1, r.top + 1, r.right - 1, r.bottom - 1};
    const bool arrow = DropdownMenu && DropdownArrow;
    if (arrow) content.right -= kDropdownArrowWidth;
    const int n = DisplayMode == TButtonDisplayMode::dmTextOnly ? 0 : glyph_.count();
    const SIZE g = n ? glyph_.size() : SIZE{0, 0};
    const std::string caption = DisplayMode == TButtonDisplayMode::dmGlyphOnly ? std::string() : text();
    HGDIOBJ oldFont = SelectObject(dc, font());
    SIZE t{0, 0};
    if (!caption.empty()) GetTextExtentPoint32A(dc, caption.c_str(), static_cast<int>(caption.size()), &t);
    const ButtonContent place =
        LayoutButtonContent(content, {g.cx, g.cy}, {t.cx, t.cy}, Layout, Margin, Spacing);
    const int shift = sunk ? 1 : 0;
    if (n) glyph_.draw(dc, s, place.glyph.x + shift, place.glyph.y + shift);
    if (!caption.empty()) {
        RECT tr{place.text.left + shift, place.text.top + shift, content.right, place.text.bottom + shift};
        if (WordWrap) tr = {content.left, content.top, content.right, content.bottom};
        SetBkMode(dc, TRANSPARENT);
        SetTextColor(dc, GetSysColor(enabled() ? COLOR_BTNTEXT : COLOR_GRAYTEXT));
        DrawTextA(dc, caption.c_str(), static_cast<int>(caption.size()), &tr,
                  WordWrap ? DT_WORDBREAK | DT_CENTER : DT_SINGLELINE);
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

// The form whose program activation the button follows; a floating toolbar's
// window is no child of it, so the toolbar names it.
Form* TDockToolbarButton::owningForm() const {
    for (Control* c = parent(); c; c = c->parent()) {
        if (auto* bar = dynamic_cast<TDockToolbar*>(c)) return &bar->form();
        if (auto* form = dynamic_cast<Form*>(c)) return form;
    }
    return nullptr;
}

void TDockToolbarButton::enterHot() {
    if (hot_ || !enabled()) return;
    hot_ = true;
    TRACKMOUSEEVENT tme{sizeof tme, TME_LEAVE, hwnd(), 0};
    TrackMouseEvent(&tme);
    // Switching to another program sends no mouse-leave while the mouse stays.
    if (Form* form = owningForm())
        appListener_ = form->addMessageListener([this](Form&, UINT msg, WPARAM& wp, LPARAM&, LRESULT&) {
            if (msg == WM_ACTIVATEAPP && !wp) leaveHot();
            return false;
        });
    repaint();
    if (OnMouseEnter) OnMouseEnter(*this);
}

void TDockToolbarButton::leaveHot() {
    if (!hot_ || tracking_) return;
    hot_ = false;
    appListener_.reset();
    repaint();
    if (OnMouseExit) OnMouseExit(*this);
}

void TDockToolbarButton::openMenu() {
    RECT r;
    GetWindowRect(hwnd(), &r);
    const PopupAnchor a = DropdownAnchor(dockSide(), {r.left, r.top, r.right, r.bottom});
    pressed_ = true;
    menuOpen_ = true;
    repaint();
    UpdateWindow(hwnd());
    bool destroyed = false;
    destroyed_ = &destroyed;
    TrackPopupMenu(DropdownMenu, TPM_LEFTBUTTON | (a.rightAligned ? TPM_RIGHTALIGN : TPM_LEFTALIGN), a.at.x, a.at.y, 0,
                   GetParent(hwnd()), nullptr);
    if (destroyed) return;
    destroyed_ = nullptr;
    menuOpen_ = false;
    pressed_ = false;
    // The press that closed the menu must not press the button again.
    MSG msg;
    while (PeekMessageA(&msg, nullptr, WM_LBUTTONDOWN, WM_MBUTTONDBLCLK, PM_REMOVE)) {
    }
    repaint();
}

LRESULT TDockToolbarButton::wndProc(UINT msg, WPARAM wp, LPARAM lp) {
    if (handlePaintMessage(hwnd(), msg, wp, [this](HDC dc) { paint(dc); })) return 0;
    switch (msg) {
    case WM_ERASEBKGND:
        return TRUE;
    case WM_MOUSEACTIVATE:
        return MA_NOACTIVATE;
    case WM_SYSCOLORCHANGE:
        // The disabled image follows the new colours when it is drawn next.
        repaint();
        break;
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
        if (DropdownPartHit(GET_X_LPARAM(lp), width(), DropdownMenu != nullptr, DropdownCombo)) {
            openMenu();
            return 0;
        }
        tracking_ = true;
        pressed_ = true;
        SetCapture(hwnd());
        repaint();
        return 0;
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
        if (wasPressed && PtInRect(&r, p)) click();
        return 0;
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
