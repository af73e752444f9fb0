#pragma once
// The worker's calls onto the main thread, in the program: a queued call wakes
// a message-only window, which runs the queue when the main thread is at a safe
// point: not inside a modal loop and not inside code that holds the queue.
#include <windows.h>

#include <atomic>
#include <chrono>

#include "base/Worker.h"

namespace kv {

class SearchSyncWin32 final : public MainThreadSync {
public:
    SearchSyncWin32();
    // Calls still waiting end with an abort in their workers.
    ~SearchSyncWin32() override;
    SearchSyncWin32(const SearchSyncWin32&) = delete;
    SearchSyncWin32& operator=(const SearchSyncWin32&) = delete;

    void synchronize(const std::function<void()>& call) override { queue_.synchronize(call); }

    // Main thread: runs what is queued now, held or not (the close wait).
    std::size_t RunPending() { return queue_.runPending(); }
    // Main thread: from now on calls end with an abort instead of waiting.
    void Cancel() { queue_.cancel(); }

    // Main-thread code partway through work a call could disturb (reading a
    // catalog, a modal editor) holds the queue; calls then wait longer.
    class Hold {
    public:
        explicit Hold(SearchSyncWin32& sync) : sync_(sync) { ++sync_.holds_; }
        ~Hold();
        Hold(const Hold&) = delete;
        Hold& operator=(const Hold&) = delete;

    private:
        SearchSyncWin32& sync_;
    };

    bool held() const { return holds_ > 0; }

private:
    static LRESULT CALLBACK windowProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);
    void serve();
    void wake();

    HWND hwnd_ = nullptr;
    int holds_ = 0;
    // One wake-up in the queue at a time: set by the worker that posts it,
    // cleared by the main thread before it drains.
    std::atomic<bool> wakePending_{false};
    QueuedSync queue_;
};

}  // namespace kv
