#include "ui/MainThreadCalls.h"

namespace kv::ui {

namespace {
constexpr UINT kRunCalls = WM_APP + 0x3A1;
}

MainThreadCalls::MainThreadCalls() : sync_([this] { wake(); }) {
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
    // Runs on the worker; one posted message may serve many calls, and a
    // message left over after the queue ran empty costs an empty drain.
    PostMessageA(hwnd(), kRunCalls, 0, 0);
}

LRESULT MainThreadCalls::wndProc(UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == kRunCalls) {
        sync_.runPending();
        return 0;
    }
    return Wnd::wndProc(msg, wp, lp);
}

}  // namespace kv::ui
