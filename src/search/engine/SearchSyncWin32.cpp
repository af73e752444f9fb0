#include "search/engine/SearchSyncWin32.h"

#include "ui/Application.h"

namespace kv {

namespace {

constexpr UINT kWakeMessage = WM_APP + 0x51;
constexpr UINT_PTR kRetryTimer = 1;
constexpr UINT kRetryMs = 10;
constexpr const char* kClassName = "KvSearchSync";

}  // namespace

SearchSyncWin32::SearchSyncWin32() : queue_([this] { wake(); }) {
    WNDCLASSA wc{};
    wc.lpfnWndProc = &SearchSyncWin32::windowProc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = kClassName;
    RegisterClassA(&wc);  // fails harmlessly when already registered
    hwnd_ = CreateWindowExA(0, kClassName, "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, wc.hInstance, nullptr);
    SetWindowLongPtrA(hwnd_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
}

SearchSyncWin32::~SearchSyncWin32() {
    queue_.cancel();
    if (hwnd_) {
        SetWindowLongPtrA(hwnd_, GWLP_USERDATA, 0);
        DestroyWindow(hwnd_);
    }
}

SearchSyncWin32::Hold::~Hold() {
    if (--sync_.holds_ == 0)
        sync_.wake();
}

// Runs on the worker: only posts, and only when no wake-up is on its way, so
// the queue never fills with them and the main thread's timers still come.
void SearchSyncWin32::wake() {
    if (!wakePending_.exchange(true))
        PostMessageA(hwnd_, kWakeMessage, 0, 0);
}

void SearchSyncWin32::serve() {
    // A nested loop may be a message box over half-done work: wait for the top level.
    if (held() || ui::Application::instance().modalDepth() > 0) {
        SetTimer(hwnd_, kRetryTimer, kRetryMs, nullptr);
        return;
    }
    KillTimer(hwnd_, kRetryTimer);
    // Cleared first: a call queued from here on posts again.
    wakePending_.store(false);
    queue_.runPending();
}

LRESULT CALLBACK SearchSyncWin32::windowProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    auto* self = reinterpret_cast<SearchSyncWin32*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
    if (self && (msg == kWakeMessage || (msg == WM_TIMER && wp == kRetryTimer))) {
        self->serve();
        return 0;
    }
    return DefWindowProcA(hwnd, msg, wp, lp);
}

}  // namespace kv
