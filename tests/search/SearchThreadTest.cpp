#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <optional>
#include <thread>

#include "base/Errors.h"

#include "catalog/model/ItemPath.h"
#include "search/engine/SearchRun.h"
#include "search/results/FoundColumns.h"
#include "tests/search/NameOrderCells.h"
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
    // After each call the worker waits until the main thread has done its own
    // work outside the calls. The hand-over uses relaxed atomics only, so that
    // ThreadSanitizer orders nothing the main thread does there before what the
    // worker does next without a call: the two run as freely as threads do.
    bool handOver = false;
    std::atomic<int> paused{0};
    std::atomic<int> resumed{0};
    QueuedSync queue;

    void synchronize(const std::function<void()>& call) override {
        queue.synchronize([&] {
            if (before)
                before();
            call();
            if (between)
                between();
        });
        if (!handOver)
            return;
        const int step = paused.load(std::memory_order_relaxed) + 1;
        paused.store(step, std::memory_order_relaxed);
        while (resumed.load(std::memory_order_relaxed) < step)
            std::this_thread::yield();
    }
};

struct ThreadRun {
    SteppingSync sync;
    std::optional<SearchOutcome> done;
    // Main thread, outside the worker's calls, each time the worker went on
    // from one (with handOver).
    std::function<void()> outside;

    void Drive(SearchRun& run) {
        sync.handOver = outside != nullptr;
        run.Start([this](const SearchOutcome& o) { done = o; });
        const auto deadline = std::chrono::steady_clock::now() + 60s;
        int handled = 0;
        while (run.Running() && std::chrono::steady_clock::now() < deadline) {
            sync.queue.runPending();
            const int step = sync.paused.load(std::memory_order_relaxed);
            if (step > handled) {
                if (outside && !done)
                    outside();
                handled = step;
                sync.resumed.store(step, std::memory_order_relaxed);
            }
            std::this_thread::sleep_for(100us);
        }
        run.Join();
    }
};

SearchFormValues Mask(std::string text) {
    SearchFormValues v;
    v.byName = true;
    v.nameMode = NameMode::Mask;
    v.nameText = std::move(text);
    return v;
}

// What painting a found row reads: the name, kind, size, description, path
// and list position of its record.
std::size_t PaintRows(const TResultList& list) {
    std::size_t shown = 0;
    for (ItemHead* item : list.Items()) {
        if (!item)
            continue;
        std::size_t bytes = ItemName(*item).size() + GetItemPath(item, true, false).size() + item->kind();
        if (const auto* file = RecordAs<TFileRec>(item))
            bytes += file->stored.size + file->description.view().size();
        if (IsListed(item->indexWord(list.slot())))
            shown += bytes > 0;
    }
    return shown;
}

TEST(SearchThreadTest, TheListIsReadAndAnItemAddedToTheUserListWhileTheWalkGoesOn) {
    SearchFixture f;
    Node* a = f.Folder({0});
    Node* root = f.disk;
    ThreadRun t;
    std::size_t seenWhileRunning = 0;
    t.outside = [&] {
        seenWhileRunning += PaintRows(f.results);
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
    // The hits were read outside the calls before the run was over.
    EXPECT_GT(seenWhileRunning, 0u);
}

// An older catalog marks a folder as holding descriptions only once its list
// is read: browsing to a folder the walk has not reached sets the mark while
// the worker may be reading that folder's flags.
TEST(SearchThreadTest, BrowsingAFolderTheWalkHasNotReachedInAnOlderCatalog) {
    SearchFixture f("1.00");
    ThreadRun t;
    Node* browsed = nullptr;
    t.outside = [&] {
        // Once the walk is in the disk, before it reaches A.
        if (browsed || !SearchFixture::Loaded(f.disk) || f.disk->children().empty())
            return;
        browsed = f.disk->child(0);  // A, with a described file
        LoadFileList(browsed);
        LoadSubfolders(browsed);
    };
    const TSearchCriteria c = CompileSearchCriteria(Mask("*"), cp1252CaseMap());
    // No reading ahead: the walk meets A on its own, after the browse.
    SearchRun run(c, f.Scope(c), {t.sync, f.results, [&] { return browsed; }, {}, {}, {}, nullptr, {}}, true);
    t.Drive(run);
    ASSERT_TRUE(t.done);
    ASSERT_NE(browsed, nullptr);
    EXPECT_FALSE(t.done->error);
    EXPECT_TRUE(HasFlag(browsed->record()->flags, ItemFlags::HasDescriptions));
    EXPECT_EQ(f.results.Count(), 12u);
    EXPECT_TRUE(SearchFixture::Loaded(browsed));
}

TEST(SearchThreadTest, AColumnSortDuringARunIsRefused) {
    SearchFixture f;
    test::NameOrderCells cells;
    ThreadRun t;
    int refused = 0;
    t.outside = [&] {
        std::atomic<bool> cancel{false};
        const FoundSortStep step = FoundListColumnClick(f.results, kFoundName);
        refused += step == FoundSortStep::None && !SortSearchResults(f.results, step, cells, cancel);
        // Nor does a step asked for before the run get through.
        refused += !SortSearchResults(f.results, FoundSortStep::Full, cells, cancel);
    };
    // Hits of an earlier run, not cleared: the walk reads their index words.
    Node* a = f.Folder({0});
    LoadFileList(a);
    f.results.Append(*f.disk->record());
    f.results.Append(*RecordAs<FileOwnerRecord>(a->record())->files.first());
    f.results.sortColumn = TResultList::kUnsorted;
    const TSearchCriteria c = CompileSearchCriteria(Mask("*"), cp1252CaseMap());
    SearchRun run(c, f.Scope(c), {t.sync, f.results, {}, {}, {}, {}, nullptr, {}}, true);
    t.Drive(run);
    ASSERT_TRUE(t.done);
    EXPECT_FALSE(t.done->error);
    EXPECT_GT(refused, 0);
    EXPECT_EQ(f.results.sortColumn, TResultList::kUnsorted);
    ASSERT_EQ(f.results.Count(), 12u);
    for (std::size_t i = 0; i < f.results.Count(); ++i)
        EXPECT_EQ(f.results.At(i)->indexWord(ResultSlot::Search), i);
    // Once the run is over the list sorts again.
    EXPECT_FALSE(f.results.Filling());
    std::atomic<bool> cancel{false};
    EXPECT_TRUE(SortSearchResults(f.results, FoundListColumnClick(f.results, kFoundName), cells, cancel));
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
