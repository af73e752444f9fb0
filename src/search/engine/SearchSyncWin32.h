#pragma once
// The worker's calls onto the main thread, in the program: the toolkit's
// main-thread calls with a rule that runs them only at a safe point: straight
// from the outermost message loop, not inside a modal loop, a message box or
// a pump within other work, and not while main-thread work holds them.
#include <windows.h>

#include "base/Worker.h"
#include "ui/Application.h"
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

    // Main-thread code partway through work a call could disturb holds the
    // calls (the program-wide hold); released, they are served soon.
    class Hold {
    public:
        explicit Hold(SearchSyncWin32& sync) : sync_(sync) {}
        ~Hold() { sync_.calls_.wake(); }
        Hold(const Hold&) = delete;
        Hold& operator=(const Hold&) = delete;

    private:
        SearchSyncWin32& sync_;
        ui::SafePointHold hold_;
    };

private:
    ui::MainThreadCalls calls_;
};

}  // namespace kv
