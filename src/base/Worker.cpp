#include "base/Worker.h"

#include <stdexcept>

#include "base/Errors.h"

namespace kv {

MainThreadSync::~MainThreadSync() = default;

QueuedSync::QueuedSync(std::function<void()> wake)
    : wake_(std::move(wake)), mainThread_(std::this_thread::get_id()) {}

QueuedSync::~QueuedSync() { cancel(); }

void QueuedSync::synchronize(const std::function<void()>& call) {
    if (std::this_thread::get_id() == mainThread_) {
        call();
        return;
    }
    Request request;
    request.call = &call;
    {
        std::lock_guard lock(mutex_);
        if (cancelled_) throw EAbort();
        queue_.push_back(&request);
    }
    if (wake_) wake_();
    std::unique_lock lock(mutex_);
    doneChanged_.wait(lock, [&] { return request.done || (cancelled_ && !request.taken); });
    if (!request.done) {
        // Cancelled before the main thread took it: still queued, and never to run.
        std::erase(queue_, &request);
        throw EAbort();
    }
    if (request.error) std::rethrow_exception(request.error);
}

std::size_t QueuedSync::runPending() {
    std::size_t ran = 0;
    for (;;) {
        Request* request;
        {
            std::lock_guard lock(mutex_);
            if (queue_.empty() || cancelled_) return ran;
            request = queue_.front();
            queue_.pop_front();
            request->taken = true;
        }
        std::exception_ptr error;
        try {
            (*request->call)();
        } catch (...) {
            error = std::current_exception();
        }
        {
            std::lock_guard lock(mutex_);
            request->error = error;
            request->done = true;
        }
        doneChanged_.notify_all();
        ++ran;
    }
}

void QueuedSync::cancel() {
    {
        std::lock_guard lock(mutex_);
        cancelled_ = true;
    }
    doneChanged_.notify_all();
}

WorkerThread::~WorkerThread() {
    requestStop();
    join();
}

void WorkerThread::start(Body body) {
    {
        std::lock_guard lock(mutex_);
        if (running_) throw std::logic_error("the worker thread is already running");
    }
    join();  // the previous body has ended; collect its thread
    stop_.store(false);
    {
        std::lock_guard lock(mutex_);
        running_ = true;
        error_ = nullptr;
    }
    try {
        thread_ = std::thread([this, body = std::move(body)] {
            std::exception_ptr error;
            try {
                body(*this);
            } catch (...) {
                error = std::current_exception();
            }
            {
                std::lock_guard lock(mutex_);
                error_ = error;
                running_ = false;
            }
            ended_.notify_all();
        });
    } catch (...) {
        std::lock_guard lock(mutex_);
        running_ = false;
        throw;
    }
}

bool WorkerThread::running() const {
    std::lock_guard lock(mutex_);
    return running_;
}

bool WorkerThread::waitFor(std::chrono::milliseconds timeout) {
    std::unique_lock lock(mutex_);
    return ended_.wait_for(lock, timeout, [this] { return !running_; });
}

void WorkerThread::join() {
    if (thread_.joinable()) thread_.join();
}

std::exception_ptr WorkerThread::error() const {
    std::lock_guard lock(mutex_);
    return error_;
}

}  // namespace kv
