#pragma once
// The main thread's end of the worker's synchronised calls: a hidden message
// window that a queued call wakes with a posted message. Every message loop
// that dispatches (ours, modal forms, message boxes, menus) then runs the
// calls, so a worker waiting in one is never left waiting.
#include <windows.h>

#include "base/Worker.h"
#include "ui/Wnd.h"

namespace kv::ui {

class MainThreadCalls final : public Wnd {
public:
    // Make it on the main thread: calls from that thread run at once.
    MainThreadCalls();
    ~MainThreadCalls() override;

    QueuedSync& sync() { return sync_; }
    // Runs what is queued now, outside any message loop.
    std::size_t runPending() { return sync_.runPending(); }

protected:
    LRESULT wndProc(UINT msg, WPARAM wp, LPARAM lp) override;

private:
    void wake();
    QueuedSync sync_;
};

}  // namespace kv::ui
