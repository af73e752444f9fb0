#include <gtest/gtest.h>

#include "search/results/FoundColumns.h"
#include "search/window/SearchPlacement.h"
#include "tests/search/NameOrderCells.h"
#include "tests/search/SearchFixture.h"

namespace kv {
namespace {

using test::SearchFixture;
using Names = std::vector<std::string>;

// root.txt, a1, a2 and the folders A and A1, listed out of order.
struct SortFixture : SearchFixture {
    SortFixture() {
        Node* a = Folder({0});
        LoadFileList(disk);
        LoadFileList(a);
        auto file = [](Node* owner, std::size_t i) { return &*std::next(RecordAs<FileOwnerRecord>(owner->record())->files.begin(), i); };
        for (ItemHead* item : std::initializer_list<ItemHead*>{file(a, 1), file(disk, 0), a->record(), file(a, 0),
                                                               Folder({0, 0})->record()})
            results.Append(*item);
    }

    void ExpectNumbered() const {
        for (std::size_t i = 0; i < results.Count(); ++i)
            EXPECT_EQ(results.At(i)->indexWord(ResultSlot::Search), i);
    }

    test::NameOrderCells cells;
};

bool Sort(SortFixture& f, int column) {
    std::atomic<bool> cancel{false};
    return SortSearchResults(f.results, FoundListColumnClick(f.results, column), f.cells, cancel);
}

TEST(FoundSortTest, ColumnClicksSortThroughTheCellsOrReverse) {
    SortFixture f;
    ASSERT_TRUE(Sort(f, kFoundName));
    EXPECT_EQ(f.Names(f.results), (Names{"A", "A1", "a1", "a2", "root.txt"}));
    f.ExpectNumbered();
    // The same column again reverses what is there.
    ASSERT_TRUE(Sort(f, kFoundName));
    EXPECT_EQ(f.Names(f.results), (Names{"root.txt", "a2", "a1", "A1", "A"}));
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
    EXPECT_FALSE(SortSearchResults(f.results, FoundListColumnClick(f.results, kFoundName), f.cells, cancel, hooks));
    EXPECT_EQ(f.results.Count(), 5u);
    f.ExpectNumbered();
}

TEST(FoundSortTest, TypeAheadFindsTheNextNameFromTheStartRow) {
    SortFixture f;  // a2, root.txt, A, a1, A1
    f.results.ClearEntry(2);
    const struct {
        const char* text;
        std::size_t start;
        std::ptrdiff_t row;
    } cases[] = {
        {"A", 0, 0},          // ignoring case
        {"a1", 0, 3},         // the name's start, not all of it
        {"A", 1, 3},          // from the start row on; the removed entry is skipped
        {"a2", 4, 0},         // wrapping round
        {"ROOT.TXT", 2, 1},
        {"b", 0, -1},
        {"root.txt!", 0, -1},
    };
    for (const auto& c : cases)
        EXPECT_EQ(FoundListVMFindItem(f.results, c.text, c.start), c.row) << c.text << " from " << c.start;
    TResultList empty{ResultSlot::Search};
    EXPECT_EQ(FoundListVMFindItem(empty, "a", 0), -1);
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
