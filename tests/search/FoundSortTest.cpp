#include <gtest/gtest.h>

#include "search/results/FoundColumns.h"
#include "search/window/SearchPlacement.h"
#include "tests/search/SearchFixture.h"

namespace kv {
namespace {

using test::SearchFixture;
using Names = std::vector<std::string>;

// root.txt, a1, a2 and the folders A and A1, sizes set so that their text and
// number orders differ.
struct SortFixture : SearchFixture {
    SortFixture() {
        Node* a = Folder({0});
        LoadFileList(disk);
        LoadFileList(a);
        auto file = [](Node* owner, std::size_t i) { return &*std::next(RecordAs<FileOwnerRecord>(owner->record())->files.begin(), i); };
        TFileRec* root = file(disk, 0);
        TFileRec* a1 = file(a, 0);
        TFileRec* a2 = file(a, 1);
        root->stored.size = 9;
        a1->stored.size = 100;
        a2->stored.size = 10;
        for (ItemHead* item : std::initializer_list<ItemHead*>{a2, root, a->record(), a1, Folder({0, 0})->record()})
            results.Append(*item);
    }

    void ExpectNumbered() const {
        for (std::size_t i = 0; i < results.Count(); ++i)
            EXPECT_EQ(results.At(i)->indexWord(ResultSlot::Search), i);
    }
};

bool Sort(TResultList& list, int column) {
    std::atomic<bool> cancel{false};
    return SortSearchResults(list, FoundListColumnClick(list, column), {}, cancel);
}

TEST(FoundSortTest, ColumnClicksSortByTextOrNumberAndReverse) {
    SortFixture f;
    ASSERT_TRUE(Sort(f.results, kFoundName));
    EXPECT_EQ(f.Names(f.results), (Names{"A", "A1", "a1", "a2", "root.txt"}));
    f.ExpectNumbered();
    // Sizes as numbers: 9 before 10 before 100; folders' totals are 0.
    ASSERT_TRUE(Sort(f.results, kFoundSize));
    EXPECT_EQ(f.Names(f.results), (Names{"A", "A1", "root.txt", "a2", "a1"}));
    EXPECT_FALSE(f.results.sortDescending);
    // The same column again reverses what is there, equal rows included.
    ASSERT_TRUE(Sort(f.results, kFoundSize));
    EXPECT_EQ(f.Names(f.results), (Names{"a1", "a2", "root.txt", "A1", "A"}));
    EXPECT_TRUE(f.results.sortDescending);
    f.ExpectNumbered();
    // Another column starts ascending again.
    EXPECT_EQ(FoundListColumnClick(f.results, kFoundExt), FoundSortStep::Full);
    EXPECT_FALSE(f.results.sortDescending);
}

TEST(FoundSortTest, SortStoppedByEscKeepsItsOrderAndIsRenumbered) {
    SortFixture f;
    SortHooks hooks;
    hooks.blockSize = 2;
    int polls = 0;
    hooks.escPressed = [&] { return ++polls == 2; };
    hooks.askCancel = [] { return true; };
    std::atomic<bool> cancel{false};
    EXPECT_FALSE(SortSearchResults(f.results, FoundListColumnClick(f.results, kFoundName), {}, cancel, hooks));
    EXPECT_EQ(f.results.Count(), 5u);
    f.ExpectNumbered();
}

TEST(FoundSortTest, ListHeightsPackIntoOneWord) {
    EXPECT_EQ(PackFoundListHeights({240, 180}), 180 << 16 | 240);
    const struct {
        std::int32_t extra;
        std::uint16_t normal, duplicates;
    } cases[] = {
        {180 << 16 | 240, 240, 180},
        {0, 100, 100},
        {-1, 65535, 65535},
        {99 << 16 | 101, 101, 100},
    };
    for (const auto& c : cases) {
        const FoundListHeights h = UnpackFoundListHeights(c.extra);
        EXPECT_EQ(h.normal, c.normal) << c.extra;
        EXPECT_EQ(h.duplicates, c.duplicates) << c.extra;
    }
}

}  // namespace
}  // namespace kv
