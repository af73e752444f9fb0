#include "shell/setup/ColumnsSetupModel.h"

#include <gtest/gtest.h>

namespace kv {
namespace {

TEST(ColumnsSetupModel, ListsTheKindsOwnColumnsInDisplayOrder) {
    const auto captions = ColumnsListCaptions(ColumnsList::MainDisks);
    ASSERT_EQ(captions.size(), 7u) << "no phantom eighth row for the disk list";
    ColumnsRecord r = DefaultColumnsRecord(ColumnsList::MainDisks);
    std::swap(r.order[0], r.order[2]);
    r.visible[1] = 0;
    ColumnsSetupModel m;
    m.fill(ColumnsList::MainDisks, r, captions);
    ASSERT_EQ(m.rows().size(), 7u);
    EXPECT_EQ(m.rows()[0].caption, captions[2]);
    EXPECT_FALSE(m.rows()[1].visible);
    EXPECT_FALSE(m.changed());
}

TEST(ColumnsSetupModel, EveryListHasItsColumns) {
    // The compare window's seven columns, by the captions it shows.
    const auto compare = ColumnsListCaptions(ColumnsList::CompareResults);
    ASSERT_EQ(compare.size(), 7u);
    EXPECT_EQ(compare.front(), "File or Folder");
    EXPECT_EQ(compare.back(), "Description");
    for (int list = ColumnsList::MainDisks; list <= ColumnsList::CompareResults; ++list)
        EXPECT_FALSE(ColumnsListCaptions(list).empty()) << list;
}

TEST(ColumnsSetupModel, ADamagedOrderGivesTheDefaults) {
    ColumnsRecord r = DefaultColumnsRecord(ColumnsList::MainFiles);
    r.order[0] = 1;  // repeated
    r.order[3] = 40;
    ColumnsSetupModel m;
    m.fill(ColumnsList::MainFiles, r, ColumnsListCaptions(ColumnsList::MainFiles));
    const ColumnsRecord fixed = DefaultColumnsRecord(ColumnsList::MainFiles);
    for (std::size_t i = 0; i < m.rows().size(); ++i) EXPECT_EQ(m.rows()[i].column, fixed.order[i]);
}

TEST(ColumnsSetupModel, MovesAndChecksChangeOnlyTheListsPositions) {
    const auto captions = ColumnsListCaptions(ColumnsList::MainFiles);
    ColumnsRecord r = DefaultColumnsRecord(ColumnsList::MainFiles);
    ColumnsSetupModel m;
    m.fill(ColumnsList::MainFiles, r, captions);
    EXPECT_EQ(m.move(0, -1), -1);
    EXPECT_EQ(m.move(7, 1), -1) << "eight file columns";
    EXPECT_FALSE(m.changed());
    EXPECT_EQ(m.move(0, 1), 1);
    m.setVisible(4, false);
    EXPECT_TRUE(m.changed());
    const ColumnsRecord out = m.record();
    EXPECT_EQ(out.order[0], 1);
    EXPECT_EQ(out.order[1], 0);
    EXPECT_EQ(out.visible[4], 0);
    for (std::size_t i = 8; i < ColumnsRecord::kPositions; ++i) {
        EXPECT_EQ(out.order[i], r.order[i]);
        EXPECT_EQ(out.visible[i], r.visible[i]);
    }
}

TEST(ColumnsSetupModel, EveryColumnHiddenStaysAListOfHiddenColumns) {
    const auto captions = ColumnsListCaptions(ColumnsList::SearchResults);
    ColumnsSetupModel m;
    m.fill(ColumnsList::SearchResults, DefaultColumnsRecord(ColumnsList::SearchResults), captions);
    for (std::size_t i = 0; i < m.rows().size(); ++i) m.setVisible(static_cast<int>(i), false);
    const ColumnPlacement p = PlaceColumns(ColumnsList::SearchResults, m.record(), captions.size());
    EXPECT_EQ(p.order.size(), captions.size());
    for (int w : p.widths) EXPECT_EQ(w, 0);
}

}  // namespace
}  // namespace kv
