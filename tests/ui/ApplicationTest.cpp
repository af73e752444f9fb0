#include <atomic>
#include <memory>
#include <vector>

#include "UiFixture.h"
#include "base/Worker.h"
#include "ui/Form.h"
#include "ui/Menu.h"
#include "tests/support/TestInput.h"

namespace {

using namespace kv::ui;

using ApplicationTest = UiTest;

TEST_F(ApplicationTest, IdleRunsInsideModalLoopsButNeverInProcessMessages) {
    int idleOutside = 0, idleModal = 0;
    app().onIdle = [&](Application& sender, bool&) {
        EXPECT_EQ(&sender, &app());
        ++(sender.modalDepth() > 0 ? idleModal : idleOutside);
    };
    for (int i = 0; i < 5; ++i) PostMessageA(nullptr, WM_NULL, 0, 0);
    app().processMessages();
    EXPECT_EQ(idleOutside + idleModal, 0);

    Form dialog;
    int depthInside = -1;
    kv::uitest::TimerAction end(100, [&] {
        depthInside = app().modalDepth();
        dialog.setModalResult(mrOk);
    });
    dialog.showModal();
    EXPECT_EQ(depthInside, 1);
    EXPECT_GT(idleModal, 0);
    EXPECT_EQ(idleOutside, 0);
    EXPECT_EQ(app().modalDepth(), 0);
}

TEST_F(ApplicationTest, IdleWorkCanEndAModalLoopWithoutAnotherMessage) {
    Form dialog;
    app().onIdle = [&](Application&, bool&) { dialog.setModalResult(mrYes); };
    EXPECT_EQ(dialog.showModal(), mrYes);
}

TEST_F(ApplicationTest, ExceptionInIdleIsReportedAndTheLoopGoesOn) {
    Form dialog;
    int calls = 0;
    app().onIdle = [&](Application&, bool& done) {
        done = false;
        if (++calls == 1) throw std::runtime_error("idle failed");
        if (calls == 3) dialog.setModalResult(mrOk);
    };
    EXPECT_EQ(dialog.showModal(), mrOk);
    ASSERT_EQ(prompt.asked.size(), 1u);
    EXPECT_EQ(prompt.asked[0].text, "idle failed");
}

TEST_F(ApplicationTest, QuitInsideAModalLoopReachesTheOuterLoop) {
    Form dialog;
    kv::uitest::TimerAction quit(30, [] { PostQuitMessage(3); });
    EXPECT_EQ(dialog.showModal(), mrCancel);  // the window is left without a result
    EXPECT_EQ(app().run(), 3);
}

TEST_F(ApplicationTest, HourglassIsScopedAndNests) {
    HCURSOR wait = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_WAIT));
    EXPECT_EQ(app().screenCursor(), nullptr);
    {
        ScopedHourglass outer;
        EXPECT_EQ(app().screenCursor(), wait);
        {
            ScopedHourglass inner;
            EXPECT_EQ(app().screenCursor(), wait);
        }
        EXPECT_EQ(app().screenCursor(), wait);
        Form form;
        form.show();
        EXPECT_TRUE(SendMessageA(form.hwnd(), WM_SETCURSOR, reinterpret_cast<WPARAM>(form.hwnd()),
                                 MAKELPARAM(HTCLIENT, WM_MOUSEMOVE)));
    }
    EXPECT_EQ(app().screenCursor(), nullptr);
}

// A worker blocked in a synchronised call must be served by whatever loop the
// main thread is in: our own loop, a modal form, and the system's menu loop.
TEST_F(ApplicationTest, WorkerCallsRunInEveryMessageLoop) {
    kv::QueuedSync& sync = app().mainThreadSync();
    const DWORD mainThread = GetCurrentThreadId();
    std::atomic<int> ran{0}, offThread{0};
    auto many = [&] {
        for (int i = 0; i < 40; ++i)
            sync.synchronize([&] {
                if (GetCurrentThreadId() != mainThread) ++offThread;
                ++ran;
            });
    };
    kv::WorkerThread worker;

    // The outer loop; a timer quits with 1 should the calls never run.
    worker.start([&](kv::WorkerThread&) {
        many();
        sync.synchronize([] { PostQuitMessage(0); });
    });
    {
        kv::uitest::TimerAction guard(5000, [] { PostQuitMessage(1); });
        EXPECT_EQ(app().run(), 0);
    }
    worker.join();
    EXPECT_EQ(ran, 40);

    Form dialog;
    worker.start([&](kv::WorkerThread&) {
        many();
        sync.synchronize([&] { dialog.setModalResult(mrOk); });
    });
    {
        kv::uitest::TimerAction guard(5000, [&] { dialog.setModalResult(mrAbort); });
        EXPECT_EQ(dialog.showModal(), mrOk);
    }
    worker.join();
    EXPECT_EQ(ran, 80);

    Form owner;
    owner.show();
    PopupMenu menu;
    menu.Items().Add("Item");
    bool endedByWorker = false;
    worker.start([&](kv::WorkerThread&) {
        many();
        sync.synchronize([&] {
            endedByWorker = true;
            EndMenu();
        });
    });
    {
        // Shown once the worker is surely waiting, so the menu loop must serve it.
        Sleep(50);
        kv::uitest::TimerAction guard(5000, [] { EndMenu(); });
        menu.Popup(owner.hwnd(), 10, 10);
    }
    worker.join();
    EXPECT_TRUE(endedByWorker);
    EXPECT_EQ(ran, 120);
    EXPECT_EQ(offThread, 0);
    EXPECT_FALSE(worker.error());
}

// Work the main thread does between messages can run the queued calls itself.
TEST_F(ApplicationTest, ProcessMessagesRunsQueuedWorkerCalls) {
    kv::QueuedSync& sync = app().mainThreadSync();
    std::atomic<bool> done{false};
    kv::WorkerThread worker;
    worker.start([&](kv::WorkerThread&) { sync.synchronize([&] { done = true; }); });
    for (int i = 0; i < 500 && !done; ++i) {
        app().processMessages();
        Sleep(10);
    }
    EXPECT_TRUE(done);
    worker.join();
}

// Workers share one posted wake-up: however their calls interleave with the
// main thread's draining, none is left waiting.
TEST_F(ApplicationTest, CallsOfManyWorkersAllRunWithOneWakeUpAtATime) {
    kv::QueuedSync& sync = app().mainThreadSync();
    std::atomic<int> ran{0};
    constexpr int kWorkers = 4, kCalls = 300;
    std::vector<std::unique_ptr<kv::WorkerThread>> workers;
    for (int w = 0; w < kWorkers; ++w) {
        workers.push_back(std::make_unique<kv::WorkerThread>());
        workers.back()->start([&](kv::WorkerThread&) {
            for (int i = 0; i < kCalls; ++i)
                sync.synchronize([&] {
                    if (++ran == kWorkers * kCalls) PostQuitMessage(0);
                });
        });
    }
    {
        kv::uitest::TimerAction guard(10000, [] { PostQuitMessage(1); });
        EXPECT_EQ(app().run(), 0);
    }
    for (auto& w : workers) w->join();
    EXPECT_EQ(ran, kWorkers * kCalls);
}

}  // namespace
