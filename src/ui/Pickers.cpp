#include "ui/Pickers.h"

#include <commctrl.h>

#include "ui/CommonControls.h"

namespace kv::ui {

DateTimePicker::DateTimePicker(bool timeOnly) : timeOnly_(timeOnly) {
    style_ |= WS_TABSTOP;
    GetLocalTime(&time_);
}

void DateTimePicker::createParams(CreateArgs& args) {
    ensureCommonControls();
    Control::createParams(args);
    args.className = DATETIMEPICK_CLASSA;
    args.style |= timeOnly_ ? DTS_TIMEFORMAT : DTS_SHORTDATEFORMAT;
}

void DateTimePicker::createWnd() {
    Control::createWnd();
    SendMessageA(hwnd(), DTM_SETSYSTEMTIME, GDT_VALID, reinterpret_cast<LPARAM>(&time_));
}

void DateTimePicker::destroyWnd() {
    time_ = time();
    Control::destroyWnd();
}

void DateTimePicker::setTime(const SYSTEMTIME& t) {
    time_ = t;
    if (hwnd()) SendMessageA(hwnd(), DTM_SETSYSTEMTIME, GDT_VALID, reinterpret_cast<LPARAM>(&time_));
}

SYSTEMTIME DateTimePicker::time() const {
    if (!hwnd()) return time_;
    SYSTEMTIME t{};
    SendMessageA(hwnd(), DTM_GETSYSTEMTIME, 0, reinterpret_cast<LPARAM>(&t));
    return t;
}

LRESULT DateTimePicker::reflected(UINT msg, WPARAM, LPARAM lp, bool& handled) {
    if (msg == WM_NOTIFY && reinterpret_cast<NMHDR*>(lp)->code == static_cast<UINT>(DTN_DATETIMECHANGE)) {
        handled = true;
        if (onChange) onChange(*this);
    }
    return 0;
}

void Animation::createParams(CreateArgs& args) {
    ensureCommonControls();
    Control::createParams(args);
    args.className = ANIMATE_CLASSA;
    args.style |= ACS_CENTER | ACS_TRANSPARENT;
}

bool Animation::play() {
    if (!hwnd() || !resource_) return false;
    if (!SendMessageA(hwnd(), ACM_OPENA, reinterpret_cast<WPARAM>(GetModuleHandleA(nullptr)),
                      static_cast<LPARAM>(resource_)))
        return false;
    return SendMessageA(hwnd(), ACM_PLAY, static_cast<WPARAM>(-1), MAKELPARAM(0, -1)) != 0;
}

void Animation::stop() {
    if (hwnd()) SendMessageA(hwnd(), ACM_STOP, 0, 0);
}

}  // namespace kv::ui
