#include "controls/ListSort.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <vector>

namespace kv {
namespace {

struct Rec {
    int key;
};

int byKey(const Rec* a, const Rec* b) { return a->key < b->key ? -1 : a->key > b->key ? 1 : 0; }

struct Fixture {
    std::vector<Rec> recs;
    std::vector<Rec*> list;

    Fixture(std::size_t n, int distinctKeys, unsigned seed = 1) : recs(n) {
        std::mt19937 rng(seed);
        for (Rec& r : recs)
            r.key = static_cast<int>(rng() % static_cast<unsigned>(distinctKeys));
        for (Rec& r : recs)
            list.push_back(&r);
    }

    std::vector<Rec*> stableSorted(std::size_t prefix) const {
        std::vector<Rec*> out = list;
        std::stable_sort(out.begin(), out.begin() + static_cast<std::ptrdiff_t>(prefix),
                         [](const Rec* a, const Rec* b) { return byKey(a, b) < 0; });
        return out;
    }
};

TEST(SortListWithCancel, MatchesStableSort) {
    struct Case {
        std::size_t n;
        int distinctKeys;
        std::size_t blockSize;
    };
    const Case cases[] = {
        {0, 5, 4096},    {2, 5, 4096},    {100, 5, 1},      {1000, 3, 7},
        {4095, 50, 4096}, {4097, 50, 4096}, {50000, 10, 4096}, {50000, 1000000, 4096},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.n);
        SCOPED_TRACE(c.blockSize);
        Fixture f(c.n, c.distinctKeys);
        const std::vector<Rec*> expected = f.stableSorted(c.n);
        std::atomic<bool> cancel{false};
        SortHooks hooks;
        hooks.blockSize = c.blockSize;
        EXPECT_TRUE(SortListWithCancel(f.list, byKey, cancel, hooks));
        EXPECT_EQ(f.list, expected);  // same pointers: equal keys kept their order
    }
}

TEST(SortListWithCancel, OneEntryNeverCompares) {
    Fixture f(1, 5);
    std::atomic<bool> cancel{true};
    int prepared = 0;
    SortHooks hooks;
    hooks.prepare = [&] { ++prepared; };
    auto compare = [](const Rec*, const Rec*) -> int {
        ADD_FAILURE();
        return 0;
    };
    EXPECT_TRUE(SortListWithCancel(f.list, compare, cancel, hooks));
    EXPECT_EQ(prepared, 1);
    EXPECT_FALSE(cancel);
}

TEST(SortListWithCancel, EscAndYesKeepTheSortedPrefix) {
    Fixture f(1000, 100);
    const std::vector<Rec*> expected = f.stableSorted(100);
    std::atomic<bool> cancel{false};
    int escPolls = 0, asked = 0;
    SortHooks hooks;
    hooks.blockSize = 100;
    hooks.escPressed = [&] { return ++escPolls == 3; };  // down after the first block
    hooks.askCancel = [&] { ++asked; return true; };
    EXPECT_FALSE(SortListWithCancel(f.list, byKey, cancel, hooks));
    EXPECT_EQ(asked, 1);
    EXPECT_EQ(f.list, expected);
}

TEST(SortListWithCancel, EscHeldFromBeforeOrAnsweredNoSortsFully) {
    for (bool heldFromStart : {true, false}) {
        SCOPED_TRACE(heldFromStart);
        Fixture f(1000, 100);
        const std::vector<Rec*> expected = f.stableSorted(1000);
        std::atomic<bool> cancel{false};
        int escPolls = 0, asked = 0;
        SortHooks hooks;
        hooks.blockSize = 100;
        // Held from the start: never asked. Pressed later and held: asked once.
        hooks.escPressed = [&] { return heldFromStart || ++escPolls >= 3; };
        hooks.askCancel = [&] { ++asked; return false; };
        EXPECT_TRUE(SortListWithCancel(f.list, byKey, cancel, hooks));
        EXPECT_EQ(asked, heldFromStart ? 0 : 1);
        EXPECT_EQ(f.list, expected);
    }
}

TEST(SortListWithCancel, CancelFlagStopsAfterTheBlockAndIsClearedOnEntry) {
    Fixture f(1000, 100);
    const std::vector<Rec*> expected = f.stableSorted(300);
    std::atomic<bool> cancel{true};  // left over from an earlier sort
    int pumps = 0;
    std::size_t total = 0, stepped = 0;
    SortHooks hooks;
    hooks.blockSize = 100;
    hooks.processMessages = [&] {
        if (++pumps == 3)
            cancel = true;
    };
    hooks.progressBegin = [&](std::size_t n) { total = n; };
    hooks.progressStep = [&](std::size_t n) { stepped += n; };
    EXPECT_FALSE(SortListWithCancel(f.list, byKey, cancel, hooks));
    EXPECT_EQ(f.list, expected);
    EXPECT_EQ(total, 1000u);
    EXPECT_EQ(stepped, 300u);
}

// A caller that drops the list when stopped: after the stop no block is
// sorted and the runs sorted so far are not merged; every entry is still there once.
TEST(SortListWithCancel, AbandonedSortStopsWithoutTheFinalMerge) {
    Fixture f(1000, 100);
    std::atomic<bool> cancel{false};
    bool stop = false;
    int comparesAfterStop = 0, blocks = 0;
    SortHooks hooks;
    hooks.blockSize = 100;
    // After block 3 two runs (200 and 100 entries) wait for their merge.
    hooks.progressStep = [&](std::size_t) { stop = ++blocks == 3; };
    hooks.abandon = [&] { return stop; };
    const auto counting = [&](const Rec* a, const Rec* b) {
        comparesAfterStop += stop;
        return byKey(a, b);
    };
    EXPECT_FALSE(SortListWithCancel(f.list, counting, cancel, hooks));
    EXPECT_EQ(blocks, 3);
    EXPECT_EQ(comparesAfterStop, 0);
    std::vector<Rec*> all = f.list;
    std::sort(all.begin(), all.end());
    EXPECT_EQ(std::adjacent_find(all.begin(), all.end()), all.end());
    EXPECT_EQ(all.size(), 1000u);
}

TEST(SortListWithCancel, ListChangedWhilePumpingIsLeftAlone) {
    Fixture f(1000, 100);
    Rec extra{-1};
    std::atomic<bool> cancel{false};
    SortHooks hooks;
    hooks.blockSize = 100;
    hooks.processMessages = [&] { f.list.push_back(&extra); };
    EXPECT_FALSE(SortListWithCancel(f.list, byKey, cancel, hooks));
    EXPECT_EQ(f.list.size(), 1001u);
}

TEST(ReverseResultList, MarkerStaysFirst) {
    int a = 0, b = 0, c = 0, up = 0;
    std::vector<int*> list{&up, &a, &b, &c};
    ReverseResultList(list, static_cast<int*>(&up));
    EXPECT_EQ(list, (std::vector<int*>{&up, &c, &b, &a}));

    std::vector<int*> plain{&a, &b, &c};
    ReverseResultList(plain, static_cast<int*>(&up));
    EXPECT_EQ(plain, (std::vector<int*>{&c, &b, &a}));

    std::vector<int*> empty, onlyMarker{&up};
    ReverseResultList(empty, static_cast<int*>(&up));
    ReverseResultList(onlyMarker, static_cast<int*>(&up));
    EXPECT_EQ(onlyMarker, std::vector<int*>{&up});
}

}  // namespace
}  // namespace kv
