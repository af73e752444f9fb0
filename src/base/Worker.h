#pragma once
// The worker thread and the calls it makes on the main thread. The worker never
// touches a window or loads records itself: it hands such steps to the main
// thread through MainThreadSync and waits until they ran.
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstddef>
#include <deque>
#include <exception>
#include <functional>
#include <mutex>
#include <thread>

namespace kv {

class MainThreadSync {
public:
    virtual ~MainThreadSync();
    // Runs call on the main thread and blocks until it ran; an exception thrown by
    // call is re-thrown here.
    virtual void synchronize(const std::function<void()>& call) = 0;
};

// Runs each call at once on the calling thread (tests, and code that already is
// on the main thread).
class InlineSync final : public MainThreadSync {
public:
    void synchronize(const std::function<void()>& call) override { call(); }
};

// Calls wait in a queue until the main thread drains it with runPending(). The
// object is made on the main thread; a call from the main thread itself runs at
// once, since waiting for itself would never end. It must outlive the workers that
// use it.
class QueuedSync final : public MainThreadSync {
public:
    // wake is called (on the worker) after a call is queued, to rouse the main thread.
    explicit QueuedSync(std::function<void()> wake = {});
    ~QueuedSync() override;
    QueuedSync(const QueuedSync&) = delete;
    QueuedSync& operator=(const QueuedSync&) = delete;

    void synchronize(const std::function<void()>& call) override;

    // Main thread: runs the calls queued so far; returns how many ran.
    std::size_t runPending();

    // Main thread, when it will drain no more (shutting down): queued and later
    // calls throw EAbort in their workers instead of waiting for ever.
    void cancel();

private:
    struct Request {
        const std::function<void()>* call = nullptr;
        std::exception_ptr error;
        bool taken = false;  // the main thread runs it: the worker must wait even when cancelled
        bool done = false;
    };

    std::function<void()> wake_;
    std::thread::id mainThread_;
    std::mutex mutex_;
    std::condition_variable doneChanged_;
    std::deque<Request*> queue_;
    bool cancelled_ = false;
};

class WorkerThread {
public:
    using Body = std::function<void(WorkerThread&)>;

    WorkerThread() = default;
    // Requests a stop and waits for the body to end.
    ~WorkerThread();
    WorkerThread(const WorkerThread&) = delete;
    WorkerThread& operator=(const WorkerThread&) = delete;

    // Runs body on a new thread; std::logic_error while a body still runs.
    void start(Body body);
    // The body polls stopRequested() and returns early.
    void requestStop() { stop_.store(true); }
    bool stopRequested() const { return stop_.load(); }
    // From start() until the body has returned.
    bool running() const;
    // True when no body runs (any more) within the timeout.
    bool waitFor(std::chrono::milliseconds timeout);
    void join();
    // What escaped the last body, or null.
    std::exception_ptr error() const;

private:
    std::atomic<bool> stop_{false};
    mutable std::mutex mutex_;
    std::condition_variable ended_;
    bool running_ = false;
    std::exception_ptr error_;
    std::thread thread_;
};

}  // namespace kv
