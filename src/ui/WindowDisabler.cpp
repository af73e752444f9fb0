#include "ui/WindowDisabler.h"

namespace kv::ui {

namespace {

struct Collect {
    HWND keep;
    std::vector<HWND>* out;
};

BOOL CALLBACK collectWindow(HWND hwnd, LPARAM lp) {
    auto* c = reinterpret_cast<Collect*>(lp);
    if (hwnd != c->keep && IsWindowVisible(hwnd) && IsWindowEnabled(hwnd)) c->out->push_back(hwnd);
    return TRUE;
}

}  // namespace

WindowDisabler::WindowDisabler(HWND keep) {
    Collect c{keep, &disabled_};
    EnumThreadWindows(GetCurrentThreadId(), collectWindow, reinterpret_cast<LPARAM>(&c));
    for (HWND h : disabled_) EnableWindow(h, FALSE);
}

void WindowDisabler::restore() {
    for (HWND h : disabled_)
        if (IsWindow(h)) EnableWindow(h, TRUE);
    disabled_.clear();
}

}  // namespace kv::ui
