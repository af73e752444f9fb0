#include "base/Worker.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

#include "base/Errors.h"

namespace kv {
namespace {

using namespace std::chrono_literals;

// The test thread plays the main thread: it drains the queue until the worker ends.
void drainUntilEnded(WorkerThread& worker, QueuedSync& sync) {
    while (!worker.waitFor(1ms)) sync.runPending();
}

std::string messageOf(std::exception_ptr error) {
    try {
        if (error) std::rethrow_exception(error);
    } catch (const std::exception& e) {
        return e.what();
    }
    return {};
}

TEST(Worker, SynchronisedCallsRunOnTheMainThreadInOrder) {
    std::atomic<int> wakes{0};
    QueuedSync sync([&] { ++wakes; });
    const auto mainId = std::this_thread::get_id();
    std::vector<int> ran;  // touched only on the main thread
    bool allOnMain = true;
    std::thread::id workerId;

    WorkerThread worker;
    worker.start([&](WorkerThread&) {
        workerId = std::this_thread::get_id();
        for (int i = 0; i < 3; ++i)
            sync.synchronize([&, i] {
                allOnMain = allOnMain && std::this_thread::get_id() == mainId;
                ran.push_back(i);
            });
    });
    drainUntilEnded(worker, sync);
    worker.join();

    EXPECT_EQ(ran, (std::vector<int>{0, 1, 2}));
    EXPECT_TRUE(allOnMain);
    EXPECT_NE(workerId, mainId);
    EXPECT_EQ(wakes.load(), 3);
    EXPECT_FALSE(worker.error());
}

TEST(Worker, ExceptionsOfACallReachTheWorkerAndThoseOfTheBodyAreKept) {
    QueuedSync sync;
    std::string caughtInWorker;
    WorkerThread worker;
    worker.start([&](WorkerThread&) {
        try {
            sync.synchronize([] { throw EInvalidCatalog("bad block"); });
        } catch (const EInvalidCatalog& e) {
            caughtInWorker = e.what();
        }
        sync.synchronize([] { throw std::runtime_error("escaped"); });
    });
    drainUntilEnded(worker, sync);
    EXPECT_EQ(caughtInWorker, "bad block");
    EXPECT_EQ(messageOf(worker.error()), "escaped");

    InlineSync inlineSync;
    EXPECT_THROW(inlineSync.synchronize([] { throw EAbort(); }), EAbort);
}

TEST(Worker, StopFlagEndsTheBody) {
    WorkerThread worker;
    EXPECT_FALSE(worker.running());
    worker.start([](WorkerThread& self) {
        while (!self.stopRequested()) std::this_thread::sleep_for(1ms);
    });
    EXPECT_TRUE(worker.running());
    EXPECT_FALSE(worker.stopRequested());
    worker.requestStop();
    EXPECT_TRUE(worker.waitFor(60s));
    EXPECT_FALSE(worker.running());
    EXPECT_FALSE(worker.error());
}

TEST(Worker, WaitForTimesOutWhileTheBodyRuns) {
    std::atomic<bool> release{false};
    WorkerThread worker;
    worker.start([&](WorkerThread&) {
        while (!release) std::this_thread::sleep_for(1ms);
    });
    EXPECT_FALSE(worker.waitFor(20ms));
    EXPECT_TRUE(worker.running());
    EXPECT_THROW(worker.start([](WorkerThread&) {}), std::logic_error);
    release = true;
    EXPECT_TRUE(worker.waitFor(60s));
}

TEST(Worker, RestartsWithAFreshStopFlagAndError) {
    WorkerThread worker;
    worker.start([](WorkerThread&) { throw std::runtime_error("first"); });
    worker.requestStop();
    worker.join();
    EXPECT_EQ(messageOf(worker.error()), "first");

    std::atomic<bool> sawStop{true};
    worker.start([&](WorkerThread& self) { sawStop = self.stopRequested(); });
    worker.join();
    EXPECT_FALSE(sawStop);
    EXPECT_FALSE(worker.error());
}

TEST(Worker, DestructorStopsAndJoins) {
    std::atomic<bool> ended{false};
    {
        WorkerThread worker;
        worker.start([&](WorkerThread& self) {
            while (!self.stopRequested()) std::this_thread::sleep_for(1ms);
            ended = true;
        });
    }
    EXPECT_TRUE(ended);
}

// Shutting down: the main thread will drain no more, so a worker waiting in a
// call, or calling later, gets the silent abort instead of waiting for ever.
TEST(Worker, CancelReleasesWaitingWorkers) {
    std::atomic<int> queued{0};
    QueuedSync sync([&] { ++queued; });
    bool ran = false;
    WorkerThread worker;
    worker.start([&](WorkerThread&) {
        try {
            sync.synchronize([&] { ran = true; });
        } catch (const EAbort&) {
        }
        sync.synchronize([&] { ran = true; });
    });
    while (queued == 0) std::this_thread::sleep_for(1ms);
    sync.cancel();
    EXPECT_TRUE(worker.waitFor(60s));
    EXPECT_FALSE(ran);
    EXPECT_EQ(sync.runPending(), 0u);
    EXPECT_THROW(std::rethrow_exception(worker.error()), EAbort);
}

TEST(Worker, CallsFromTheMainThreadRunAtOnce) {
    QueuedSync sync([] { FAIL() << "nothing should be queued"; });
    int ran = 0;
    sync.synchronize([&] { ++ran; });
    EXPECT_EQ(ran, 1);
    EXPECT_EQ(sync.runPending(), 0u);
}

}  // namespace
}  // namespace kv
