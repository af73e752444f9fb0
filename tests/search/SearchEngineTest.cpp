#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <stdexcept>
#include <string>

#include "base/Errors.h"
#include "search/engine/SearchRun.h"
#include "tests/catalog/CatalogBytes.h"
#include "tests/catalog/ModelFixture.h"
#include "tests/support/ScriptedPrompt.h"
#include "tests/search/SearchFixture.h"

namespace kv {
namespace {

using test::SearchFixture;
using Names = std::vector<std::string>;

SearchFormValues ByName(NameMode mode, std::string text) {
    SearchFormValues v;
    v.byName = true;
    v.nameMode = mode;
    v.nameText = std::move(text);
    return v;
}

struct InlineRun {
    InlineSync sync;
    const Node* shown = nullptr;
    SearchOutcome outcome;

    SearchOutcome Run(SearchFixture& f, const SearchFormValues& v, TResultList& list) {
        const TSearchCriteria c = CompileSearchCriteria(v, cp1252CaseMap());
        const SearchScope scope = f.Scope(c);
        SyncSearchHost host({sync, list, [this] { return shown; }, {}, {}, {}, nullptr});
        std::atomic<bool> stop{false};
        SearchEngine engine(c, scope, host, stop, true, cp1252CaseMap());
        return outcome = engine.Execute();
    }
};

// Runs the engine over the fixture through the given host.
SearchOutcome RunWith(SearchFixture& f, const TSearchCriteria& c, ISearchHost& host,
                      std::chrono::milliseconds progressInterval = SearchEngine::kProgressInterval) {
    const SearchScope scope = f.Scope(c);
    std::atomic<bool> stop{false};
    SearchEngine engine(c, scope, host, stop, true, cp1252CaseMap());
    engine.SetProgressInterval(progressInterval);
    return engine.Execute();
}

TEST(SearchEngineTest, ListsLoadedForTheWalkGoAgainUnlessTheyHoldAHit) {
    SearchFixture f;
    Node* a = f.Folder({0});
    Node* deep = f.Folder({0, 0, 0});
    InlineRun run;
    const SearchOutcome out = run.Run(f, ByName(NameMode::Exact, "DEEP"), f.results);
    EXPECT_EQ(f.Names(f.results), Names{"deep"});
    EXPECT_EQ(out.found, 1);
    EXPECT_FALSE(out.stopped);
    EXPECT_FALSE(SearchFixture::Loaded(a));
    EXPECT_FALSE(SearchFixture::Loaded(f.disk));
    EXPECT_TRUE(SearchFixture::Loaded(deep));
}

TEST(SearchEngineTest, ListsLoadedBeforeOrShownStay) {
    SearchFixture f;
    Node* a = f.Folder({0});
    LoadFileList(a);
    InlineRun run;
    run.shown = f.disk;
    run.Run(f, ByName(NameMode::Exact, "nothing"), f.results);
    EXPECT_TRUE(f.results.Items().empty());
    EXPECT_TRUE(SearchFixture::Loaded(a));
    EXPECT_TRUE(SearchFixture::Loaded(f.disk));
}

TEST(SearchEngineTest, KindsArchivesAndTheOrderOfHits) {
    SearchFixture f;
    InlineRun run;
    SearchFormValues v = ByName(NameMode::Mask, "*");
    run.Run(f, v, f.results);
    EXPECT_EQ(f.Names(f.results), (Names{"Empty", "Disk", "root.txt", "A", "a1", "a2", "A1", "A1a", "deep", "A2", "B", "b"}));

    SearchFixture g;
    v.searchDisks = false;
    v.searchFolders = false;
    v.includeArchiveContents = false;
    run.Run(g, v, g.results);
    // The archive itself is tested as a file, its contents are not.
    EXPECT_EQ(g.Names(g.results), (Names{"root.txt", "a1", "a2", "deep", "B"}));
}

TEST(SearchEngineTest, LimitAndSecondRunAddOnlyNewItems) {
    SearchFixture f;
    InlineRun run;
    SearchFormValues v = ByName(NameMode::Mask, "*");
    v.searchDisks = v.searchFolders = false;
    v.limitFound = true;
    v.maxFound = 2;
    SearchOutcome out = run.Run(f, v, f.results);
    EXPECT_EQ(f.Names(f.results), (Names{"root.txt", "a1"}));
    EXPECT_TRUE(out.stopped);

    v.limitFound = false;
    out = run.Run(f, v, f.results);
    // The archive folder B is tested as a file.
    EXPECT_EQ(f.Names(f.results), (Names{"root.txt", "a1", "a2", "deep", "B", "b"}));
    EXPECT_EQ(out.found, 4);
    for (std::size_t i = 0; i < f.results.Count(); ++i)
        EXPECT_EQ(f.results.At(i)->indexWord(ResultSlot::Search), i);
}

TEST(SearchEngineTest, DescriptionOnlySkipsUnmarkedListsOfCurrentCatalogs) {
    SearchFormValues v;
    v.byDescription = true;
    v.descriptionMode = DescriptionMode::Any;
    // The fixture's folders do not carry the "has descriptions" mark.
    SearchFixture current;
    InlineRun run;
    run.Run(current, v, current.results);
    EXPECT_TRUE(current.results.Items().empty());
    EXPECT_FALSE(SearchFixture::Loaded(current.Folder({0})));

    SearchFixture old("1.00");
    run.Run(old, v, old.results);
    EXPECT_EQ(old.Names(old.results), Names{"a2"});
}

TEST(SearchEngineTest, ProgressEndsAtThePassOneTotal) {
    SearchFixture f;
    // The stored counts say more than the walk meets: progress still ends exactly at the total.
    RecordAs<TDiskRec>(f.disk->record())->volume.fileCount = 1000;
    InlineSync sync;
    std::vector<SearchProgress> seen;
    const TSearchCriteria c = CompileSearchCriteria(ByName(NameMode::Mask, "*"), cp1252CaseMap());
    const SearchScope scope = f.Scope(c);
    SyncSearchHost host({sync, f.results, {}, [&](const SearchProgress& p) { seen.push_back(p); }, {}, {}, nullptr});
    std::atomic<bool> stop{false};
    SearchEngine(c, scope, host, stop, true, cp1252CaseMap()).Execute();
    ASSERT_FALSE(seen.empty());
    EXPECT_EQ(seen.back().checked, scope.total);
    EXPECT_EQ(seen.back().total, scope.total);
    EXPECT_EQ(seen.back().found, 12);
}

// Passes every request on to the program's host; tests override what they watch.
class ForwardingHost : public ISearchHost {
public:
    explicit ForwardingHost(ISearchHost& inner) : inner_(inner) {}
    void EnsureSubfolders(Node& n, ListsRead lists) override { inner_.EnsureSubfolders(n, lists); }
    bool EnsureFileList(Node& n, ListsRead lists) override { return inner_.EnsureFileList(n, lists); }
    void ReleaseFileList(Node& n) override { inner_.ReleaseFileList(n); }
    void WalkEnded() override { inner_.WalkEnded(); }
    void Progress(const SearchProgress& p, std::vector<ItemHead*>&& hits) override { inner_.Progress(p, std::move(hits)); }
    bool AskCancelSort() override { return false; }

private:
    ISearchHost& inner_;
};

// Counts the hand-overs and the hits in each.
class CountingHost final : public ForwardingHost {
public:
    using ForwardingHost::ForwardingHost;
    void Progress(const SearchProgress& p, std::vector<ItemHead*>&& hits) override {
        batches.push_back(hits.size());
        ForwardingHost::Progress(p, std::move(hits));
    }

    std::vector<std::size_t> batches;
};

TEST(SearchEngineTest, ProgressAndHitsReachTheMainThreadInFewBoundedBatches) {
    SearchFixture f;
    Node* a = f.Folder({0});
    LoadFileList(a);
    constexpr int kAdded = 20000;
    for (int i = 0; i < kAdded; ++i)
        RecordAs<FileOwnerRecord>(a->record())->addFile(MakeFileRec("many" + std::to_string(i) + ".dat"));
    InlineSync sync;
    const TSearchCriteria c = CompileSearchCriteria(ByName(NameMode::Mask, "MANY*"), cp1252CaseMap());
    SyncSearchHost inner({sync, f.results, {}, {}, {}, {}, nullptr});
    CountingHost host(inner);
    EXPECT_EQ(RunWith(f, c, host, std::chrono::hours(1)).found, kAdded);
    EXPECT_EQ(f.results.Count(), static_cast<std::size_t>(kAdded));
    // Not one call per 128 items: only a full batch of hits goes early.
    EXPECT_LE(host.batches.size(), 4u);
    for (std::size_t n : host.batches)
        EXPECT_LE(n, SearchEngine::kMaxHitBatch + SearchEngine::kProgressStep);
}

class CountingSync final : public MainThreadSync {
public:
    int calls = 0;
    void synchronize(const std::function<void()>& call) override {
        ++calls;
        call();
    }
};

// Each round trip to the main thread is costly under Wine: a folder's list and
// its subfolders come in one, the lists below are read ahead while the call's
// time lasts, a release rides along with the next call, and what is in memory
// already needs none.
TEST(SearchEngineTest, FewCallsToTheMainThreadAndNoListKept) {
    struct Case {
        std::chrono::microseconds readAhead;
        int maxCalls;
    };
    // Both disks and the last progress; without reading ahead, each of the
    // five folders (A, A1, A1a, A2 and the archive B) takes one more.
    for (const Case& k : {Case{std::chrono::hours(1), 3}, Case{{}, 8}}) {
        SCOPED_TRACE(k.maxCalls);
        SearchFixture f;
        CountingSync sync;
        const TSearchCriteria c = CompileSearchCriteria(ByName(NameMode::Exact, "nothing"), cp1252CaseMap());
        SyncSearchHost host({sync, f.results, {}, {}, {}, {}, nullptr, k.readAhead});
        RunWith(f, c, host, std::chrono::hours(1));
        EXPECT_LE(sync.calls, k.maxCalls);
        EXPECT_EQ(host.ListsKept(), 0u);
        EXPECT_FALSE(SearchFixture::Loaded(f.disk));
        EXPECT_FALSE(SearchFixture::Loaded(f.Folder({0, 0, 0})));
    }

    SearchFixture f;
    CountingSync sync;
    const TSearchCriteria c = CompileSearchCriteria(ByName(NameMode::Exact, "nothing"), cp1252CaseMap());
    for (std::size_t i = 0; i < f.catalog->children().size(); ++i)
        LoadSubfolders(f.catalog->child(i), true, true);
    SyncSearchHost again({sync, f.results, {}, {}, {}, {}, nullptr});
    RunWith(f, c, again, std::chrono::hours(1));
    // One per disk, and the last progress.
    EXPECT_EQ(sync.calls, 3);
    EXPECT_TRUE(SearchFixture::Loaded(f.Folder({0, 0, 0})));
}

// Stops the walk as it reaches folder A, whose list and those below it were read ahead.
class StoppingHost final : public ForwardingHost {
public:
    StoppingHost(ISearchHost& inner, std::atomic<bool>& stop, const Node* at)
        : ForwardingHost(inner), stop_(stop), at_(at) {}
    bool EnsureFileList(Node& n, ListsRead lists) override {
        if (&n == at_)
            stop_.store(true);
        return ForwardingHost::EnsureFileList(n, lists);
    }

private:
    std::atomic<bool>& stop_;
    const Node* at_;
};

TEST(SearchEngineTest, ListsReadAheadOfAStoppedWalkGoAgain) {
    SearchFixture f;
    InlineSync sync;
    Node* a = f.Folder({0});
    Node* deep = f.Folder({0, 0, 0});
    const TSearchCriteria c = CompileSearchCriteria(ByName(NameMode::Mask, "*.txt"), cp1252CaseMap());
    const SearchScope scope = f.Scope(c);
    std::atomic<bool> stop{false};
    SyncSearchHost inner({sync, f.results, {}, {}, {}, {}, nullptr, std::chrono::hours(1)});
    StoppingHost host(inner, stop, a);
    const SearchOutcome out = SearchEngine(c, scope, host, stop, true, cp1252CaseMap()).Execute();
    EXPECT_TRUE(out.stopped);
    // root.txt keeps the disk's list; nothing below it was walked.
    EXPECT_TRUE(SearchFixture::Loaded(f.disk));
    EXPECT_FALSE(SearchFixture::Loaded(a));
    EXPECT_FALSE(SearchFixture::Loaded(deep));
    EXPECT_EQ(inner.ListsKept(), 1u);
}

// A description search over a catalog that marks the lists holding one reads no other list ahead.
TEST(SearchEngineTest, ADescriptionSearchReadsAheadOnlyListsWithDescriptions) {
    SearchFixture f;
    CountingSync sync;
    Node* a = f.Folder({0});
    RecordAs<TFolderRec>(a->record())->flags |= ItemFlags::HasDescriptions;
    SearchFormValues v;
    v.byDescription = true;
    v.descriptionMode = DescriptionMode::Any;
    const TSearchCriteria c = CompileSearchCriteria(v, cp1252CaseMap());
    SyncSearchHost host({sync, f.results, {}, {}, {}, {}, nullptr, std::chrono::hours(1)});
    RunWith(f, c, host, std::chrono::hours(1));
    EXPECT_EQ(f.Names(f.results), Names{"a2"});
    EXPECT_EQ(host.ListsKept(), 1u);
    EXPECT_LE(sync.calls, 3);
    EXPECT_FALSE(SearchFixture::Loaded(f.disk));
    EXPECT_FALSE(SearchFixture::Loaded(f.Folder({0, 0, 0})));
}

TEST(SearchEngineTest, NothingMatchableEndsAsStopped) {
    SearchFixture f;
    InlineRun run;
    const SearchOutcome out = run.Run(f, SearchFormValues{}, f.results);
    EXPECT_TRUE(out.stopped);
    EXPECT_EQ(out.found, 0);
}

// Fails loading the third list it is asked for (folder A, after both disks).
class FailingHost final : public ForwardingHost {
public:
    using ForwardingHost::ForwardingHost;
    bool EnsureFileList(Node& n, ListsRead lists) override {
        if (++loads_ == 3)
            throw EInvalidCatalog("damaged");
        return ForwardingHost::EnsureFileList(n, lists);
    }

private:
    int loads_ = 0;
};

TEST(SearchEngineTest, AnErrorEndsTheRunAndKeepsTheHits) {
    SearchFixture f;
    InlineSync sync;
    const TSearchCriteria c = CompileSearchCriteria(ByName(NameMode::Mask, "*.txt"), cp1252CaseMap());
    SyncSearchHost host({sync, f.results, {}, {}, {}, {}, nullptr});
    FailingHost failing(host);
    const SearchOutcome out = RunWith(f, c, failing);
    ASSERT_TRUE(out.error);
    EXPECT_THROW(std::rethrow_exception(out.error), EInvalidCatalog);
    EXPECT_EQ(f.Names(f.results), Names{"root.txt"});
}

TEST(SearchEngineTest, DuplicatesAcrossTheWalkAndStopDuringCollection) {
    SearchFormValues v;
    v.duplicateMode = true;
    v.dupName = false;
    v.dupSize = true;
    v.searchDisks = false;
    const TSearchCriteria c = CompileSearchCriteria(v, cp1252CaseMap());

    SearchFixture f;
    InlineRun run;
    run.Run(f, v, f.duplicates);
    // Size alone: the empty folders and files share size 0 whatever their
    // first letters (folders first); b (100 bytes) is no duplicate of its archive B.
    EXPECT_EQ(f.Names(f.duplicates), (Names{"A", "A1", "A1a", "A2", "B", "root.txt", "a1", "deep"}));
    EXPECT_TRUE(f.results.Items().empty());

    SearchFixture g;
    InlineSync sync;
    std::atomic<bool> stop{false};
    SyncSearchHost host({sync, g.duplicates, {}, [&](const SearchProgress& p) {
                             if (p.phase == SearchPhase::Collecting && p.found > 0)
                                 stop = true;
                         }, {}, {}, nullptr});
    const SearchScope scope = g.Scope(c);
    SearchEngine engine(c, scope, host, stop, true, cp1252CaseMap());
    engine.SetProgressInterval(std::chrono::milliseconds(0));
    const SearchOutcome out = engine.Execute();
    EXPECT_TRUE(out.stopped);
    EXPECT_TRUE(g.duplicates.Items().empty());
}

// Esc is polled once per block of a bucket's sort: the host counts the polls.
class EscPollingHost final : public ForwardingHost {
public:
    EscPollingHost(ISearchHost& inner, std::function<void(int)> onPoll)
        : ForwardingHost(inner), onPoll_(std::move(onPoll)) {}
    bool EscPressed() override {
        onPoll_(++polls);
        return false;
    }
    int polls = 0;

private:
    std::function<void(int)> onPoll_;
};

// A stop during the grouping of a large bucket is honoured within one block of
// its sort, or at the next group: what is left is neither sorted nor grouped.
TEST(SearchEngineTest, AStopDuringGroupingEndsItAtOnce) {
    constexpr int kPairs = 20000;
    SearchFormValues v;
    v.duplicateMode = true;
    v.searchFolders = v.searchDisks = false;
    v.dupName = false;
    v.dupSize = true;
    const TSearchCriteria c = CompileSearchCriteria(v, cp1252CaseMap());
    for (const bool inSort : {true, false}) {
        SearchFixture f;
        Node* a = f.Folder({0});
        LoadFileList(a);
        for (int i = 0; i < 2 * kPairs; ++i)
            test::AddFile(*RecordAs<FileOwnerRecord>(a->record()), "f" + std::to_string(i)).stored.size =
                static_cast<std::uint32_t>(1000 + i / 2);
        InlineSync sync;
        SyncSearchHost inner({sync, f.duplicates, {}, {}, {}, {}, nullptr});
        std::atomic<bool> stop{false};
        // The first poll is the sort's start, the next ones come after each block.
        EscPollingHost host(inner, [&](int poll) {
            if (inSort && poll == 3)
                stop = true;
        });
        const SearchScope scope = f.Scope(c);
        SearchEngine engine(c, scope, host, stop, true, cp1252CaseMap());
        int groups = 0;
        engine.SetGroupSink([&](std::size_t) {
            if (++groups == 1 && !inSort)
                stop = true;
        });
        const SearchOutcome out = engine.Execute();
        EXPECT_TRUE(out.stopped) << inSort;
        if (inSort) {
            EXPECT_EQ(host.polls, 3);
            EXPECT_EQ(groups, 0);
            EXPECT_TRUE(f.duplicates.Items().empty());
        } else {
            // Sorted whole (the fixture's empty files group first), then one group.
            EXPECT_GT(host.polls, 2 * kPairs / 4096);
            EXPECT_EQ(groups, 1);
            EXPECT_EQ(f.duplicates.Count(), 3u);
        }
    }
}

// A list cut short in the file: the search says so once and goes on with what
// was read, and with the rest of the catalog.
TEST(SearchEngineTest, ADamagedListIsReportedOnceAndTheRunGoesOn) {
    test::CatalogBytes b;
    b.head("Cut").categoryBlock();
    const test::load::DiskLayout d = test::load::AddDisk(
        b, "Disk", {{"top.txt", ""}}, {{1, "F", {{"one.txt", ""}, {"two.txt", ""}, {"three.txt", ""}}}});
    // The third record's description count runs past the list's end.
    const std::size_t list = d.sectionStart + static_cast<std::size_t>(d.listOffsets[0]);
    b.patchU8(list + 2 * (1 + 7 + 18 + 2) + 1 + 9 + 18, 0x50);
    Forest forest;
    ReadCatalog(forest, test::load::MemoryReader(b.bytes()));
    TResultList results(ResultSlot::Search);
    ResultListSet lists;
    lists.Attach(&results);
    forest.context().resultLists = &lists;
    const TSearchCriteria c = CompileSearchCriteria(ByName(NameMode::Mask, "*.txt"), cp1252CaseMap());
    InlineSync sync;
    ui::ScriptedPrompt prompt;
    SyncSearchHost host({sync, results, {}, {}, {}, {}, &prompt});
    const SearchScope scope = CaptureSearchScope(forest, false, {}, {true, true, true}, cp1252CaseMap());
    std::atomic<bool> stop{false};
    const SearchOutcome out = SearchEngine(c, scope, host, stop, true, cp1252CaseMap()).Execute();
    EXPECT_FALSE(out.error);
    Names names;
    for (ItemHead* item : results.Items())
        names.emplace_back(ItemName(*item));
    EXPECT_EQ(names, (Names{"top.txt", "one.txt", "two.txt"}));
    ASSERT_EQ(prompt.asked.size(), 1u);
    EXPECT_EQ(prompt.asked[0].caption, "Error Loading Catalog");
    forest.context().resultLists = nullptr;
}

// Groups as the engine hands them over: one group per run of equal keys.
TEST(SearchEngineTest, DuplicateKeysDecideTheGroupsWhateverTheSizesOrFirstLetters) {
    const struct {
        const char* what;
        bool name, size, date;
        Names listed;
    } cases[] = {
        // The window's defaults: name and size.
        {"name and size", true, true, false, {"README.txt", "readme.TXT"}},
        {"name alone, across sizes", true, false, false, {"Readme.txt", "README.txt", "readme.TXT"}},
        // The fixture's empty files share their date too.
        {"size and date, across first letters", false, true, true, {"root.txt", "a1", "deep", "alpha.bin", "Zed.bin"}},
    };
    for (const auto& c : cases) {
        SearchFixture f;
        Node* a = f.Folder({0});
        LoadFileList(a);
        auto add = [](Node* owner, const char* name, std::uint32_t size, std::uint32_t modified) {
            TFileRec& file = test::AddFile(*RecordAs<FileOwnerRecord>(owner->record()), name);
            file.stored.size = size;
            file.stored.modified = modified;
        };
        add(a, "Readme.txt", 10, 1);
        add(a, "README.txt", 20, 2);
        add(a, "readme.TXT", 20, 3);
        add(a, "alpha.bin", 999, 5);
        add(a, "Zed.bin", 999, 5);
        SearchFormValues v;
        v.duplicateMode = true;
        v.searchFolders = v.searchDisks = false;
        v.dupName = c.name;
        v.dupSize = c.size;
        v.dupDate = c.date;
        InlineRun run;
        run.Run(f, v, f.duplicates);
        Names listed = f.Names(f.duplicates);
        EXPECT_EQ(listed, c.listed) << c.what;
    }
}

}  // namespace
}  // namespace kv
