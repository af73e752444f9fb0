#pragma once
// A search run on the worker thread: the criteria and scope are captured on the
// main thread before it starts, and the completion handler runs on the main
// thread with the outcome (errors included) once the worker is done.
#include <atomic>
#include <functional>
#include <memory>

#include "base/Worker.h"
#include "search/engine/SearchEngine.h"
#include "search/engine/SyncSearchHost.h"

namespace kv {

class SearchRun {
public:
    using DoneHandler = std::function<void(const SearchOutcome&)>;

    SearchRun(TSearchCriteria criteria, SearchScope scope, SearchHostServices services, bool archivesAsFiles);
    // Stops the run and waits for the worker.
    ~SearchRun();
    SearchRun(const SearchRun&) = delete;
    SearchRun& operator=(const SearchRun&) = delete;

    // Main thread. done runs on the main thread through the services' sync; when
    // the main thread no longer drains calls, it does not run. The result list
    // counts as filling from here until done runs (or the run goes).
    void Start(DoneHandler done);
    // Main thread: Cancel and the program's close.
    void RequestStop() { stop_.store(true); }
    bool Running() const { return worker_.running(); }
    bool WaitFor(std::chrono::milliseconds timeout) { return worker_.waitFor(timeout); }
    void Join() { worker_.join(); }

    const SyncSearchHost& Host() const { return host_; }
    // Valid once the worker ended.
    const SearchOutcome& Outcome() const { return outcome_; }

private:
    TSearchCriteria criteria_;
    SearchScope scope_;
    MainThreadSync& sync_;
    TResultList& results_;
    SyncSearchHost host_;
    std::atomic<bool> stop_{false};
    SearchEngine engine_;
    SearchOutcome outcome_;
    WorkerThread worker_;
};

}  // namespace kv
