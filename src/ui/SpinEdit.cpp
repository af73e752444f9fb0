#include "ui/SpinEdit.h"

#include <commctrl.h>

#include <climits>
#include <cstdlib>

#include "ui/CommonControls.h"

namespace kv::ui {

SpinEdit::SpinEdit() { setText("0"); }

void SpinEdit::createParams(CreateArgs& args) {
    ensureCommonControls();
    Edit::createParams(args);
    // The arrows are a child of the edit; the edit must not paint over them.
    args.style |= WS_CLIPCHILDREN;
}

void SpinEdit::createWnd() {
    Edit::createWnd();
    // No buddy: the edit does the stepping itself, so a text the arrows cannot
    // show (a fraction, an empty field) is still read the one way value() reads it.
    button_ = CreateWindowExA(0, UPDOWN_CLASSA, "", WS_CHILD | WS_VISIBLE, 0, 0, 0, 0, hwnd(), nullptr,
                              GetModuleHandleA(nullptr), nullptr);
    placeButton();
}

void SpinEdit::placeButton() {
    if (!button_) return;
    RECT r;
    GetClientRect(hwnd(), &r);
    const int w = GetSystemMetrics(SM_CXVSCROLL);
    MoveWindow(button_, r.right - w, 0, w, r.bottom, TRUE);
    SendMessageA(hwnd(), EM_SETMARGINS, EC_RIGHTMARGIN, MAKELPARAM(0, w));
}

void SpinEdit::setRange(int minValue, int maxValue) {
    min_ = minValue;
    max_ = maxValue;
}

int SpinEdit::clamp(long long v) const {
    if (min_ != max_) {
        if (v < min_) return min_;
        if (v > max_) return max_;
    }
    if (v < INT_MIN) return INT_MIN;
    if (v > INT_MAX) return INT_MAX;
    return static_cast<int>(v);
}

int SpinEdit::value() const {
    const std::string t = text();
    const char* begin = t.c_str();
    while (*begin == ' ') ++begin;
    char* end = nullptr;
    long long v = std::strtoll(begin, &end, 10);
    while (end && *end == ' ') ++end;
    if (end == begin || (end && *end)) return clamp(min_);
    return clamp(v);
}

void SpinEdit::setValue(int v) { setText(std::to_string(clamp(v))); }

void SpinEdit::step(int steps) {
    setValue(clamp(static_cast<long long>(value()) + static_cast<long long>(steps) * increment_));
}

LRESULT SpinEdit::wndProc(UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
    case WM_NOTIFY: {
        auto* nm = reinterpret_cast<NMUPDOWN*>(lp);
        if (nm->hdr.hwndFrom == button_ && nm->hdr.code == static_cast<UINT>(UDN_DELTAPOS)) {
            // The arrow up gives a negative delta in a vertical up-down.
            if (!(GetWindowLongA(hwnd(), GWL_STYLE) & ES_READONLY)) step(nm->iDelta < 0 ? 1 : -1);
            return 1;  // the up-down keeps no position of its own
        }
        break;
    }
    case WM_KEYDOWN:
        if (wp == VK_UP || wp == VK_DOWN) {
            // The key event sees it first and may swallow it.
            WORD key = static_cast<WORD>(wp);
            if (onKeyDown) onKeyDown(*this, key, currentShiftState());
            if ((key == VK_UP || key == VK_DOWN) && !(GetWindowLongA(hwnd(), GWL_STYLE) & ES_READONLY))
                step(key == VK_UP ? 1 : -1);
            return 0;
        }
        break;
    case WM_CHAR: {
        // Digits, signs and the decimal separator; control keys pass.
        char c = static_cast<char>(wp);
        char sep[4] = ".";
        GetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_SDECIMAL, sep, sizeof sep);
        const bool ok = static_cast<unsigned char>(c) < 32 || (c >= '0' && c <= '9') || c == '+' || c == '-' ||
                        c == sep[0];
        if (!ok) {
            MessageBeep(0);
            return 0;
        }
        break;
    }
    case WM_SIZE: {
        LRESULT r = Edit::wndProc(msg, wp, lp);
        placeButton();
        return r;
    }
    case WM_NCDESTROY:
        button_ = nullptr;
        break;
    }
    return Edit::wndProc(msg, wp, lp);
}

}  // namespace kv::ui
