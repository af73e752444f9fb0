#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <functional>
#include <string>
#include <vector>

#include "BrowseFixture.h"
#include "search/results/ResultList.h"
#include "shell/browse/SearchListCells.h"

namespace kv {
namespace {

using test::BrowseFixture;

std::string Names(const std::vector<ItemHead*>& items) {
    std::string out;
    for (const ItemHead* rec : items)
        out += (out.empty() ? "" : " ") + std::string(ItemName(rec));
    return out;
}

TEST(SearchListCellsTest, ColumnsTranslatePerRecordKind) {
    BrowseFixture f;
    const SearchListCells cells({});
    const ItemHead& disk = *f.cd->record();
    const struct {
        const ItemHead* rec;
        int column;
        const char* text;
    } cases[] = {
        {f.a, kFoundName, "a.txt"},
        {f.a, kFoundExt, "txt"},
        {f.a, kFoundSize, "100 B"},
        {f.a, kFoundMediaName, "CD"},
        {f.a, kFoundLocation, "\\Docs"},
        {f.a, kFoundCategory, "Music"},
        {f.a, kFoundDescription, "Alpha"},
        {f.docs->record(), kFoundCategory, "Work"},
        {f.docs->record(), kFoundDescription, "Documents"},
        // A disk has no extension or time; its size column is its capacity,
        // its description its own.
        {&disk, kFoundName, "CD"},
        {&disk, kFoundExt, ""},
        {&disk, kFoundTime, ""},
        {&disk, kFoundSize, "4 MB"},
        {&disk, kFoundMediaName, ""},
        {&disk, kFoundDescription, "Backup CD"},
        // Past the last column: nothing.
        {f.a, kFoundColumnCount, ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(cells.CellText(*c.rec, c.column), c.text) << ItemName(c.rec) << " column " << c.column;
}

// The compare list shows a record's date with its time, in one column; no date, no text.
TEST(SearchListCellsTest, TheCompareListShowsDateAndTimeInOneColumn) {
    BrowseFixture f;
    SearchListCells::Sources sources;
    sources.list = ItemListKind::CompareResults;
    const SearchListCells cells(sources);
    EXPECT_EQ(cells.CellText(*f.a, 3), "2020-01-02 03:04:06");
    EXPECT_EQ(cells.CellText(*f.zip->record(), 3), "2018-01-01 08:00:00");
    EXPECT_EQ(cells.CellText(*f.rootFile, 3), "");
    EXPECT_EQ(cells.CellText(*f.a, 2), "100 B");
    EXPECT_EQ(cells.CellText(*f.a, 5), "\\Docs");
}

TEST(SearchListCellsTest, SortsThroughTheItemComparer) {
    BrowseFixture f;
    int images = 0;
    SearchListCells::Sources sources;
    sources.image = [&](const ItemHead&) { return ++images; };
    const SearchListCells cells(sources);
    EXPECT_EQ(cells.CellImage(*f.a), 1);

    std::vector<ItemHead*> items{f.rootFile, f.c, f.docs->record(), f.a, f.zip->record()};
    std::atomic<bool> cancel{false};
    // Sizes as numbers, not texts: 100 B, 150 B, 200 B, 1.5 kB; folders first.
    ASSERT_TRUE(cells.SortItems(items, kFoundSize, false, cancel, {}));
    EXPECT_EQ(Names(items), "Docs a.txt b.zip c.txt root.bin");
    ASSERT_TRUE(cells.SortItems(items, kFoundName, true, cancel, {}));
    EXPECT_EQ(Names(items), "root.bin c.txt b.zip a.txt Docs");

    // Esc answered "stop": what is sorted stays, nothing is lost.
    SortHooks hooks;
    int polls = 0;
    hooks.escPressed = [&] { return ++polls == 2; };
    hooks.askCancel = [] { return true; };
    EXPECT_FALSE(cells.SortItems(items, kFoundName, false, cancel, hooks));
    std::vector<ItemHead*> sorted = items;
    std::sort(sorted.begin(), sorted.end());
    EXPECT_EQ(std::unique(sorted.begin(), sorted.end()), sorted.end());
    EXPECT_EQ(items.size(), 5u);
}

// The found list is sorted in place while messages are pumped; a pump that
// frees listed records (a catalog closed) or swaps entries at the same count
// must stop the sort, leaving only live, correctly numbered entries.
TEST(SearchListCellsTest, SortStopsWhenAPumpChangesTheList) {
    const struct {
        const char* what;
        std::function<void(BrowseFixture&, TResultList&)> change;
        std::vector<std::string> left;
    } cases[] = {
        {"records freed", [](BrowseFixture& f, TResultList&) { f.forest.remove(*f.docs); }, {"CD", "Floppy", "root.bin"}},
        {"one removed, one added",
         [](BrowseFixture& f, TResultList& list) {
             list.RemoveRows({*list.Find(*f.a)}, std::nullopt);
             list.Append(*f.up->record());
         },
         {"..", "CD", "Docs", "Floppy", "b.zip", "c.txt", "inner.txt", "root.bin"}},
    };
    for (const auto& c : cases) {
        BrowseFixture f;
        TResultList list(ResultSlot::Search);
        ResultListSet set;
        set.Attach(&list);
        f.forest.context().resultLists = &set;
        for (ItemHead* rec : std::initializer_list<ItemHead*>{f.rootFile, f.c, f.docs->record(), f.floppy->record(), f.a,
                                                              f.zip->record(), f.cd->record(), f.inner})
            list.Append(*rec);
        const SearchListCells cells({});
        SortHooks hooks;
        hooks.blockSize = 2;
        int pumps = 0;
        hooks.processMessages = [&] {
            if (++pumps == 1)
                c.change(f, list);
        };
        std::atomic<bool> cancel{false};
        EXPECT_FALSE(SortSearchResults(list, FoundListColumnClick(list, kFoundName), cells, cancel, hooks)) << c.what;
        EXPECT_EQ(pumps, 1) << c.what;
        std::vector<std::string> left;
        for (std::size_t i = 0; i < list.Count(); ++i) {
            ASSERT_NE(list.At(i), nullptr) << c.what;
            EXPECT_EQ(list.At(i)->indexWord(ResultSlot::Search), i) << c.what;
            left.emplace_back(ItemName(list.At(i)));
        }
        std::sort(left.begin(), left.end());
        EXPECT_EQ(left, c.left) << c.what;
        f.forest.context().resultLists = nullptr;
    }
}

}  // namespace
}  // namespace kv
