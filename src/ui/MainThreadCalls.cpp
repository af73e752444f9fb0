#include "ui/MainThreadCalls.h"

namespace kv::ui {

namespace {
constexpr UINT kRunCalls = WM_APP + 0x3A1;
constexpr UINT_PTR kRetryTimer = 1;
constexpr UINT kRetryMs = 10;
}  // namespace

MainThreadCalls::MainThreadCalls(std::function<bool()> mayRunNow)
    : mayRunNow_(std::move(mayRunNow)), sync_([this] { wake(); }) {
    registerClass("KvMainThreadCalls", 0, nullptr, nullptr, nullptr);
    CreateArgs args;
    args.className = "KvMainThreadCalls";
    args.x = args.y = args.width = args.height = 0;
    args.parent = HWND_MESSAGE;
    createWindow(args);
}

MainThreadCalls::~MainThreadCalls() {
    // Workers still waiting get EAbort rather than a call that never comes.
    sync_.cancel();
    destroyWindow();
}

void MainThreadCalls::wake() {
    // Usually on the worker; one posted message serves every call queued
    // before the main thread drains.
    if (!wakePending_.exchange(true) && !PostMessageA(hwnd(), kRunCalls, 0, 0))
        wakePending_.store(false);  // nothing is on its way: the next call tries again
}

void MainThreadCalls::serve() {
    if (mayRunNow_ && !mayRunNow_()) {
        SetTimer(hwnd(), kRetryTimer, kRetryMs, nullptr);
        return;
    }
    KillTimer(hwnd(), kRetryTimer);
    // Cleared first: a call queued from here on posts again.
    wakePending_.store(false);
    sync_.runPending();
}

LRESULT MainThreadCalls::wndProc(UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == kRunCalls || (msg == WM_TIMER && wp == kRetryTimer)) {
        serve();
        return 0;
    }
    return Wnd::wndProc(msg, wp, lp);
}

}  // namespace kv::ui
