#include "ui/Timer.h"

namespace kv::ui {

Timer::~Timer() { destroyWindow(); }

void Timer::update() {
    if (!hwnd()) {
        if (!enabled_) return;
        Wnd::registerClass("KvTimer", 0, nullptr, nullptr, nullptr);
        CreateArgs a;
        a.className = "KvTimer";
        a.x = a.y = a.width = a.height = 0;
        a.parent = HWND_MESSAGE;
        createWindow(a);
    }
    KillTimer(hwnd(), 1);
    if (enabled_ && interval_ > 0) SetTimer(hwnd(), 1, interval_, nullptr);
}

void Timer::setInterval(UINT ms) {
    interval_ = ms;
    update();
}

void Timer::setEnabled(bool enabled) {
    enabled_ = enabled;
    update();
}

LRESULT Timer::wndProc(UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_TIMER && wp == 1) {
        if (onTimer) onTimer(*this);
        return 0;
    }
    return Wnd::wndProc(msg, wp, lp);
}

}  // namespace kv::ui
