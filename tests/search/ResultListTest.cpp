#include <gtest/gtest.h>

#include <memory>

#include "search/results/ResultList.h"
#include "tests/catalog/ModelFixture.h"

namespace kv {
namespace {

std::vector<FileRecPtr> Records(std::size_t n) {
    std::vector<FileRecPtr> recs;
    for (std::size_t i = 0; i < n; ++i)
        recs.push_back(MakeFileRec("f" + std::to_string(i)));
    return recs;
}

TEST(ResultListTest, RemovingRowsRenumbersAndKeepsTheFocusInStep) {
    auto recs = Records(10);
    TResultList list(ResultSlot::Search);
    for (auto& r : recs)
        list.Append(*r);
    const TResultList::Removal r = list.RemoveRows({5, 2}, 5);
    EXPECT_EQ(r.removed, 2u);
    ASSERT_EQ(list.Count(), 8u);
    // The focused row 5 went: the focus moves to the row that followed it.
    EXPECT_EQ(list.At(*r.focus), recs[6].get());
    for (std::size_t i = 0; i < list.Count(); ++i)
        EXPECT_EQ(list.At(i)->indexWord(ResultSlot::Search), i);
    EXPECT_EQ(recs[2]->indexWord(ResultSlot::Search), kNotListed);

    // The last rows go: the focus stays on the new last row.
    const TResultList::Removal tail = list.RemoveRows({6, 7}, 7);
    EXPECT_EQ(tail.focus, 5u);
    EXPECT_EQ(list.RemoveRows({0, 1, 2, 3, 4, 5}, 0).focus, std::nullopt);
}

TEST(ResultListTest, ClearingOneSlotLeavesTheOthers) {
    auto recs = Records(3);
    TResultList duplicates(ResultSlot::Duplicates);
    TResultList normal(ResultSlot::Search);
    for (auto& r : recs) {
        duplicates.Append(*r);
        normal.Append(*r);
    }
    duplicates.ClearSearchResults();
    for (auto& r : recs) {
        EXPECT_EQ(r->indexWord(ResultSlot::Duplicates), kNotListed);
        EXPECT_TRUE(IsListed(r->indexWord(ResultSlot::Search)));
    }
}

TEST(ResultListTest, LookupProbesWrappedPositionsAndStopsAtTheEnd) {
    auto recs = Records(32768 + 5);
    TResultList list(ResultSlot::Search);
    for (auto& r : recs)
        list.Append(*r);
    EXPECT_EQ(list.Find(*recs[32770]), 32770u);
    EXPECT_EQ(recs[32770]->indexWord(ResultSlot::Search), 2u);
    auto stranger = MakeFileRec("x");
    stranger->indexWord(ResultSlot::Search) = 30000;  // stale: probes end at the list's end
    EXPECT_EQ(list.Find(*stranger), std::nullopt);
}

TEST(ResultListTest, FreedRecordsLeaveThroughTheModel) {
    test::ModelFixture m;
    TResultList list(ResultSlot::Search);
    ResultListSet set;
    set.Attach(&list);
    int renumbered = 0;
    set.onRenumbered = [&](ResultSlot) { ++renumbered; };
    m.forest.context().resultLists = &set;
    list.Append(m.folderRec(*m.a));
    list.Append(m.folderRec(*m.c));
    list.Append(m.folderRec(*m.a2));
    m.forest.remove(*m.b);  // frees B and C
    EXPECT_EQ(list.Count(), 2u);
    EXPECT_EQ(list.At(1), &m.folderRec(*m.a2));
    EXPECT_EQ(list.At(1)->indexWord(ResultSlot::Search), 1u);
    EXPECT_EQ(renumbered, 1);
    m.forest.context().resultLists = nullptr;
}

struct RecordingLocator : IItemLocator {
    ItemHead* went = nullptr;
    void GoToItem(ItemHead& item) override { went = &item; }
};

TEST(ResultListTest, LocateGoesToTheFocusedHit) {
    auto recs = Records(2);
    TResultList list(ResultSlot::Search);
    list.Append(*recs[0]);
    list.Append(*recs[1]);
    RecordingLocator locator;
    EXPECT_FALSE(LocateFoundItem(list, std::nullopt, locator));
    EXPECT_TRUE(LocateFoundItem(list, 1, locator));
    EXPECT_EQ(locator.went, recs[1].get());
}

}  // namespace
}  // namespace kv
