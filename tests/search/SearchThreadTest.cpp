#include <gtest/gtest.h>

#include <chrono>

#include "base/Errors.h"

#include "search/engine/SearchRun.h"
#include "tests/search/SearchFixture.h"

namespace kv {
namespace {

using namespace std::chrono_literals;
using test::SearchFixture;

// Runs every queued call on the test's main thread, then does what the main
// thread may do while a search runs, before the worker can go on.
class SteppingSync final : public MainThreadSync {
public:
    // before may throw: the call then fails as a failing load would.
    std::function<void()> before;
    std::function<void()> between;
    QueuedSync queue;

    void synchronize(const std::function<void()>& call) override {
        queue.synchronize([&] {
            if (before)
                before();
            call();
            if (between)
                between();
        });
    }
};

struct ThreadRun {
    SteppingSync sync;
    std::optional<SearchOutcome> done;

    void Drive(SearchRun& run) {
        run.Start([this](const SearchOutcome& o) { done = o; });
        const auto deadline = std::chrono::steady_clock::now() + 60s;
        while (!done && std::chrono::steady_clock::now() < deadline) {
            sync.queue.runPending();
            std::this_thread::sleep_for(100us);
        }
        run.Join();
    }
};

TEST(SearchThreadTest, MainThreadWorkBetweenCallsKeepsListsItHolds) {
    SearchFixture f;
    Node* a = f.Folder({0});
    Node* root = f.disk;
    ThreadRun t;
    std::size_t seen = 0;
    t.sync.between = [&] {
        // The result list is read while hits arrive.
        for (ItemHead* item : f.results.Items())
            seen += item != nullptr;
        // A user-list addition from the folder being walked.
        auto* owner = RecordAs<FileOwnerRecord>(a->record());
        if (owner->loaded && !owner->files.empty())
            owner->files.first()->indexWord(ResultSlot::UserList) = 0;
    };
    SearchFormValues v;
    v.byName = true;
    v.nameMode = NameMode::Exact;
    v.nameText = "b";
    const TSearchCriteria c = CompileSearchCriteria(v, cp1252CaseMap());
    SearchRun run(c, f.Scope(c), {t.sync, f.results, [&] { return root; }, {}, {}, {}, nullptr}, true);
    t.Drive(run);
    ASSERT_TRUE(t.done);
    EXPECT_FALSE(t.done->error);
    EXPECT_EQ(f.Names(f.results), (std::vector<std::string>{"B", "b"}));
    EXPECT_TRUE(SearchFixture::Loaded(a));     // holds a user-list record
    EXPECT_TRUE(SearchFixture::Loaded(root));  // shown in the main list
    EXPECT_FALSE(SearchFixture::Loaded(f.Folder({0, 0, 0})));
    EXPECT_GT(seen, 0u);
}

TEST(SearchThreadTest, StopFromTheMainThreadEndsTheRun) {
    SearchFixture f;
    ThreadRun t;
    SearchRun* current = nullptr;
    t.sync.between = [&] { current->RequestStop(); };
    SearchFormValues v;
    v.byName = true;
    v.nameMode = NameMode::Mask;
    v.nameText = "*";
    const TSearchCriteria c = CompileSearchCriteria(v, cp1252CaseMap());
    SearchRun run(c, f.Scope(c), {t.sync, f.results, {}, {}, {}, {}, nullptr}, true);
    current = &run;
    t.Drive(run);
    ASSERT_TRUE(t.done);
    EXPECT_TRUE(t.done->stopped);
    // The disk hit found before the first call is kept; the walk went no further.
    EXPECT_EQ(f.Names(f.results), std::vector<std::string>{"Empty"});
}

TEST(SearchThreadTest, ClosingWhileTheWorkerWaitsEndsIt) {
    SearchFixture f;
    SteppingSync sync;
    SearchFormValues v;
    v.byName = true;
    v.nameText = "a";
    const TSearchCriteria c = CompileSearchCriteria(v, cp1252CaseMap());
    auto run = std::make_unique<SearchRun>(c, f.Scope(c), SearchHostServices{sync, f.results, {}, {}, {}, {}, nullptr},
                                           true);
    run->Start({});
    // The main thread drains no more: waiting calls end with an abort.
    run->RequestStop();
    sync.queue.cancel();
    EXPECT_TRUE(run->WaitFor(10s));
    run.reset();
}

TEST(SearchThreadTest, StopWhileGroupingDuplicatesListsNoGroup) {
    SearchFixture f;
    ThreadRun t;
    SearchRun* current = nullptr;
    std::atomic<int> escPolls{0};
    bool asked = false;
    SearchFormValues v;
    v.duplicateMode = true;
    v.dupSize = true;
    v.searchDisks = false;
    const TSearchCriteria c = CompileSearchCriteria(v, cp1252CaseMap());
    // Esc goes down once the first bucket's sort has begun; the question on the
    // main thread stops the run and answers "go on sorting".
    SearchHostServices services{t.sync, f.duplicates, {}, {},
                                [&] {
                                    asked = true;
                                    current->RequestStop();
                                    return false;
                                },
                                [&] { return ++escPolls == 2; }, nullptr};
    SearchRun run(c, f.Scope(c), services, true);
    current = &run;
    t.Drive(run);
    ASSERT_TRUE(t.done);
    EXPECT_TRUE(asked);
    EXPECT_TRUE(t.done->stopped);
    EXPECT_FALSE(t.done->error);
    // Without the stop, bucket "A" lists its four empty folders.
    EXPECT_TRUE(f.duplicates.Items().empty());
}

TEST(SearchThreadTest, AFailingLoadEndsTheRunWithTheHitsSoFar) {
    SearchFixture f;
    ThreadRun t;
    bool failed = false;
    // The first call after the disk's own list was read fails (folder A's list,
    // or a hand-over of hits if one comes first).
    t.sync.before = [&] {
        if (!failed && SearchFixture::Loaded(f.disk)) {
            failed = true;
            throw EInvalidCatalog("damaged");
        }
    };
    SearchFormValues v;
    v.byName = true;
    v.nameMode = NameMode::Mask;
    v.nameText = "*.txt";
    const TSearchCriteria c = CompileSearchCriteria(v, cp1252CaseMap());
    // One list per call, so that the failing call is a load.
    SearchRun run(c, f.Scope(c), {t.sync, f.results, {}, {}, {}, {}, nullptr, {}}, true);
    t.Drive(run);
    ASSERT_TRUE(t.done);
    ASSERT_TRUE(failed);
    ASSERT_TRUE(t.done->error);
    EXPECT_THROW(std::rethrow_exception(t.done->error), EInvalidCatalog);
    EXPECT_FALSE(t.done->stopped);
    EXPECT_EQ(f.Names(f.results), std::vector<std::string>{"root.txt"});
    EXPECT_EQ(f.results.At(0)->indexWord(ResultSlot::Search), 0);
}

}  // namespace
}  // namespace kv
