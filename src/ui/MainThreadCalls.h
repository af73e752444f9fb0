#pragma once
// The main thread's end of the worker's synchronised calls: a hidden message
// window that a queued call wakes with a posted message. By default every
// message loop that dispatches (ours, modal forms, message boxes, menus) then
// runs the calls, so a worker waiting in one is never left waiting. An owner
// that must run them only at safe points gives a rule; while it says no, the
// calls wait and are looked at again every few milliseconds.
#include <windows.h>

#include <atomic>
#include <functional>

#include "base/Worker.h"
#include "ui/Wnd.h"

namespace kv::ui {

class MainThreadCalls final : public Wnd {
public:
    // Make it on the main thread: calls from that thread run at once.
    explicit MainThreadCalls(std::function<bool()> mayRunNow = {});
    ~MainThreadCalls() override;

    QueuedSync& sync() { return sync_; }
    // Runs what is queued now, outside any message loop and whatever the rule says.
    std::size_t runPending() { return sync_.runPending(); }
    // Any thread: have the queue looked at soon (after the rule may have changed).
    void wake();

protected:
    LRESULT wndProc(UINT msg, WPARAM wp, LPARAM lp) override;

private:
    void serve();

    std::function<bool()> mayRunNow_;
    // One wake-up in the queue at a time, so that the queue never fills with
    // them and the main thread's timers still come: set by whoever posts it,
    // cleared by the main thread before it drains.
    std::atomic<bool> wakePending_{false};
    QueuedSync sync_;
};

}  // namespace kv::ui
