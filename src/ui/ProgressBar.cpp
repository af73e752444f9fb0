#include "ui/ProgressBar.h"

#include <commctrl.h>

#include "ui/CommonControls.h"

namespace kv::ui {

void ProgressBar::createParams(CreateArgs& args) {
    ensureCommonControls();
    Control::createParams(args);
    args.className = PROGRESS_CLASSA;
}

void ProgressBar::createWnd() {
    Control::createWnd();
    SendMessageA(hwnd(), PBM_SETRANGE32, static_cast<WPARAM>(min_), static_cast<LPARAM>(max_));
    SendMessageA(hwnd(), PBM_SETPOS, static_cast<WPARAM>(position_), 0);
}

void ProgressBar::setRange(int min, int max) {
    min_ = min;
    max_ = max;
    if (hwnd()) SendMessageA(hwnd(), PBM_SETRANGE32, static_cast<WPARAM>(min), static_cast<LPARAM>(max));
}

void ProgressBar::setPosition(int position) {
    position_ = position;
    if (hwnd()) SendMessageA(hwnd(), PBM_SETPOS, static_cast<WPARAM>(position), 0);
}

int ProgressBar::position() const {
    return hwnd() ? static_cast<int>(SendMessageA(hwnd(), PBM_GETPOS, 0, 0)) : position_;
}

}  // namespace kv::ui
