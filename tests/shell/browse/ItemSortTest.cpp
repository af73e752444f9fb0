#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <random>
#include <vector>

#include "BrowseFixture.h"
#include "shell/browse/ItemSort.h"

namespace kv {
namespace {

// Files named by number, sized by key: sorting by size shows stability and order.
struct Files {
    TFolderRec owner;
    ItemList list;
    explicit Files(const std::vector<std::uint32_t>& sizes) {
        for (std::size_t i = 0; i < sizes.size(); ++i) {
            TFileRec& f = owner.addFileFromFile(std::to_string(i));
            f.stored.size = sizes[i];
            list.push_back(&f);
        }
    }
};

SortParams BySize() {
    SortParams p;
    p.column = 2;
    return p;
}

std::uint32_t SizeOf(const ItemHead* rec) { return RecordAs<TFileRec>(rec)->stored.size; }

TEST(ItemSortTest, StableAndOrderedAcrossBlocksAndRuns) {
    std::mt19937 rng(7);
    for (std::size_t n : {0u, 1u, 2u, 15u, 16u, 17u, 1000u, 10000u}) {
        std::vector<std::uint32_t> sizes(n);
        for (auto& s : sizes)
            s = rng() % 50;
        Files files(sizes);
        std::atomic<bool> cancel{false};
        ASSERT_TRUE(SortListWithCancel(files.list, ItemComparer(BySize()), cancel));
        for (std::size_t i = 1; i < n; ++i) {
            const auto* a = RecordAs<TFileRec>(files.list[i - 1]);
            const auto* b = RecordAs<TFileRec>(files.list[i]);
            ASSERT_LE(a->stored.size, b->stored.size);
            if (a->stored.size == b->stored.size) {  // names are the original positions
                ASSERT_LT(std::stoul(std::string(a->name())), std::stoul(std::string(b->name())));
            }
        }
    }
}

// Answers at random: the sort must still end with every entry exactly once.
class RandomCollator : public TextCollator {
public:
    int compare(std::string_view, std::string_view) const override { return static_cast<int>(rng_() % 3) - 1; }

private:
    mutable std::mt19937 rng_{42};
};

TEST(ItemSortTest, InconsistentComparerStillGivesAPermutation) {
    std::vector<std::uint32_t> sizes(100000, 1);
    Files files(sizes);
    ItemList before = files.list;
    RandomCollator random;
    SortParams p;
    p.column = 0;
    p.collator = &random;
    std::atomic<bool> cancel{false};
    SortListWithCancel(files.list, ItemComparer(p), cancel);
    std::sort(before.begin(), before.end());
    ItemList after = files.list;
    std::sort(after.begin(), after.end());
    EXPECT_EQ(before, after);
}

class ScriptedInterrupt : public SortInterrupt, public SortProgress {
public:
    int escAfterPolls = -1;  // Esc goes down at this poll
    bool answer = true;
    int polls = 0, asked = 0, pumped = 0;
    std::size_t total = 0, stepped = 0;

    bool escPressed() override { return escAfterPolls >= 0 && polls++ >= escAfterPolls; }
    bool askCancel() override { ++asked; return answer; }
    void processMessages() override { ++pumped; }
    void begin(std::size_t n) override { total = n; }
    void step(std::size_t n) override { stepped += n; }
};

TEST(ItemSortTest, EscStopsWithAPartlyOrderedPermutation) {
    std::vector<std::uint32_t> sizes(20000);
    for (std::size_t i = 0; i < sizes.size(); ++i)
        sizes[i] = static_cast<std::uint32_t>(sizes.size() - i);
    Files files(sizes);
    ScriptedInterrupt script;
    script.escAfterPolls = 2;
    std::atomic<bool> cancel{false};
    EXPECT_FALSE(SortListWithCancel(files.list, ItemComparer(BySize()), cancel, &script, &script));
    EXPECT_EQ(script.asked, 1);
    EXPECT_EQ(script.total, 20000u);
    EXPECT_GT(script.stepped, 0u);
    EXPECT_LT(script.stepped, 20000u);
    // The handled part is in order and is followed by the rest, untouched.
    EXPECT_TRUE(std::is_sorted(files.list.begin(), files.list.begin() + static_cast<std::ptrdiff_t>(script.stepped),
                               [](auto* a, auto* b) { return SizeOf(a) < SizeOf(b); }));
    EXPECT_EQ(SizeOf(files.list[script.stepped]), 20000u - script.stepped);

    // No: the sort goes on to the end.
    Files again(sizes);
    ScriptedInterrupt no;
    no.escAfterPolls = 1;
    no.answer = false;
    EXPECT_TRUE(SortListWithCancel(again.list, ItemComparer(BySize()), cancel, &no, &no));
    EXPECT_GT(no.pumped, 0);
    EXPECT_TRUE(std::is_sorted(again.list.begin(), again.list.end(),
                               [](auto* a, auto* b) { return SizeOf(a) < SizeOf(b); }));
}

TEST(ItemSortTest, GateRefusesANestedSort) {
    SortGate gate;
    {
        SortGate::Pass outer(gate);
        ASSERT_TRUE(outer);
        SortGate::Pass inner(gate);
        EXPECT_FALSE(inner);
        EXPECT_TRUE(gate.busy());
    }
    EXPECT_FALSE(gate.busy());
    SortGate::Pass later(gate);
    EXPECT_TRUE(later);
}

}  // namespace
}  // namespace kv
