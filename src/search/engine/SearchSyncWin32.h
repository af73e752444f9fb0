#pragma once
// The worker's calls onto the main thread, in the program: the toolkit's
// main-thread calls with a rule that runs them only at a safe point: not
// inside a modal loop and not inside code that holds the queue.
#include <windows.h>

#include "base/Worker.h"
#include "ui/MainThreadCalls.h"

namespace kv {

class SearchSyncWin32 final : public MainThreadSync {
public:
    SearchSyncWin32();
    // Calls still waiting end with an abort in their workers.
    ~SearchSyncWin32() override = default;
    SearchSyncWin32(const SearchSyncWin32&) = delete;
    SearchSyncWin32& operator=(const SearchSyncWin32&) = delete;

    void synchronize(const std::function<void()>& call) override { calls_.sync().synchronize(call); }

    // Main thread: runs what is queued now, held or not (the close wait).
    std::size_t RunPending() { return calls_.runPending(); }
    // Main thread: from now on calls end with an abort instead of waiting.
    void Cancel() { calls_.sync().cancel(); }

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
    int holds_ = 0;
    ui::MainThreadCalls calls_;
};

}  // namespace kv
