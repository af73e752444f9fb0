#include "ui/RangeControls.h"

#include <commctrl.h>

#include "ui/CommonControls.h"

namespace kv::ui {

TrackBar::TrackBar() { style_ |= WS_TABSTOP; }

void TrackBar::createParams(CreateArgs& args) {
    ensureCommonControls();
    Control::createParams(args);
    args.className = TRACKBAR_CLASSA;
    args.style |= TBS_HORZ | TBS_AUTOTICKS;
    if (selection_) args.style |= TBS_ENABLESELRANGE;
}

void TrackBar::createWnd() {
    Control::createWnd();
    SendMessageA(hwnd(), TBM_SETRANGEMIN, FALSE, min_);
    SendMessageA(hwnd(), TBM_SETRANGEMAX, FALSE, max_);
    SendMessageA(hwnd(), TBM_SETPOS, TRUE, position_);
    if (selection_) {
        SendMessageA(hwnd(), TBM_SETSELSTART, FALSE, selStart_);
        SendMessageA(hwnd(), TBM_SETSELEND, TRUE, selEnd_);
    }
}

void TrackBar::destroyWnd() {
    position_ = position();
    Control::destroyWnd();
}

void TrackBar::setRange(int min, int max) {
    min_ = min;
    max_ = max;
    if (!hwnd()) return;
    SendMessageA(hwnd(), TBM_SETRANGEMIN, FALSE, min);
    SendMessageA(hwnd(), TBM_SETRANGEMAX, TRUE, max);
}

void TrackBar::setPosition(int p) {
    position_ = p;
    if (hwnd()) SendMessageA(hwnd(), TBM_SETPOS, TRUE, p);
}

int TrackBar::position() const {
    return hwnd() ? static_cast<int>(SendMessageA(hwnd(), TBM_GETPOS, 0, 0)) : position_;
}

void TrackBar::setSelectionRange(bool enabled, int start, int end) {
    bool recreate = enabled != selection_;
    selection_ = enabled;
    selStart_ = start;
    selEnd_ = end;
    if (recreate) recreateWnd();
    else if (hwnd() && enabled) {
        SendMessageA(hwnd(), TBM_SETSELSTART, FALSE, start);
        SendMessageA(hwnd(), TBM_SETSELEND, TRUE, end);
    }
}

LRESULT TrackBar::reflected(UINT msg, WPARAM, LPARAM, bool& handled) {
    if (msg == WM_HSCROLL || msg == WM_VSCROLL) {
        handled = true;
        if (onChange) onChange(*this);
    }
    return 0;
}

void UpDown::createParams(CreateArgs& args) {
    ensureCommonControls();
    Control::createParams(args);
    args.className = UPDOWN_CLASSA;
    args.style |= UDS_ARROWKEYS | UDS_SETBUDDYINT;
}

void UpDown::createWnd() {
    Control::createWnd();
    SendMessageA(hwnd(), UDM_SETRANGE32, static_cast<WPARAM>(min_), max_);
    SendMessageA(hwnd(), UDM_SETPOS32, 0, position_);
}

void UpDown::destroyWnd() {
    position_ = position();
    Control::destroyWnd();
}

void UpDown::setRange(int min, int max) {
    min_ = min;
    max_ = max;
    if (hwnd()) SendMessageA(hwnd(), UDM_SETRANGE32, static_cast<WPARAM>(min), max);
}

void UpDown::setPosition(int p) {
    position_ = p;
    if (hwnd()) SendMessageA(hwnd(), UDM_SETPOS32, 0, p);
}

int UpDown::position() const {
    return hwnd() ? static_cast<int>(SendMessageA(hwnd(), UDM_GETPOS32, 0, 0)) : position_;
}

LRESULT UpDown::reflected(UINT msg, WPARAM, LPARAM lp, bool& handled) {
    if (msg == WM_NOTIFY && reinterpret_cast<NMHDR*>(lp)->code == static_cast<UINT>(UDN_DELTAPOS)) {
        auto* nm = reinterpret_cast<NMUPDOWN*>(lp);
        handled = true;
        if (onChange) onChange(*this, nm->iPos + nm->iDelta);
        return 0;
    }
    return 0;
}

}  // namespace kv::ui
