#include <gtest/gtest.h>

#include <vector>

#include "shell/browse/ColumnLayout.h"
#include "system/settings/MemorySectionStore.h"

namespace kv {
namespace {

std::vector<int> Order(const ColumnsRecord& r, std::size_t n) { return {r.order.begin(), r.order.begin() + n}; }

TEST(ColumnLayoutTest, StoredBytesGoOverTheDefaults) {
    // The file list shows the category before the description.
    EXPECT_EQ(Order(DefaultColumnsRecord(ColumnsList::MainFiles), 8), (std::vector<int>{0, 1, 2, 3, 4, 5, 7, 6}));
    EXPECT_EQ(Order(DefaultColumnsRecord(ColumnsList::MainDisks), 8), (std::vector<int>{0, 1, 2, 3, 4, 5, 6, 7}));

    ColumnsRecord r = DefaultColumnsRecord(ColumnsList::MainFiles);
    r.order[0] = 3;
    r.order[3] = 0;
    r.visible[5] = 0;
    const auto bytes = EncodeColumnsRecord(r);
    ASSERT_EQ(bytes.size(), 56u);
    EXPECT_EQ(bytes[0], 3);
    EXPECT_EQ(bytes[44 + 5], 0);
    EXPECT_EQ(DecodeColumnsRecord(ColumnsList::MainFiles, bytes), r);

    // 20 bytes set the first five positions only; more than 56 are no record.
    const std::vector<std::uint8_t> five = {4, 0, 0, 0, 3, 0, 0, 0, 2, 0, 0, 0, 1, 0, 0, 0, 0, 0, 0, 0};
    const ColumnsRecord shorter = DecodeColumnsRecord(ColumnsList::MainFiles, five);
    EXPECT_EQ(Order(shorter, 8), (std::vector<int>{4, 3, 2, 1, 0, 5, 7, 6}));
    EXPECT_EQ(shorter.visible, DefaultColumnsRecord(ColumnsList::MainFiles).visible);
    const std::vector<std::uint8_t> longer(57, 0);
    EXPECT_EQ(DecodeColumnsRecord(ColumnsList::MainDisks, longer), DefaultColumnsRecord(ColumnsList::MainDisks));

    MemorySectionStore store;
    EXPECT_EQ(ReadColumnsRecord(store, ColumnsList::MainFiles), DefaultColumnsRecord(ColumnsList::MainFiles));
    ASSERT_TRUE(WriteColumnsRecord(store, ColumnsList::MainFiles, r));
    EXPECT_EQ(store.ReadBinary("Columns", "ListView1")->size(), 56u);
    EXPECT_EQ(ReadColumnsRecord(store, ColumnsList::MainFiles), r);
}

TEST(ColumnLayoutTest, PlacingHidesByPositionAndRefusesDamagedOrders) {
    ColumnsRecord r = DefaultColumnsRecord(ColumnsList::MainFiles);
    r.visible[6] = 0;  // position 6 holds the category column
    ColumnPlacement p = PlaceColumns(ColumnsList::MainFiles, r, 8);
    EXPECT_EQ(p.order, (std::vector<int>{0, 1, 2, 3, 4, 5, 7, 6}));
    EXPECT_EQ(p.widths, (std::vector<int>{-2, -2, -2, -2, -2, -2, -2, 0}));

    // An order that is no permutation of the list's columns (out of range, a
    // column twice, or the eighth column in a list of seven) is not used.
    struct Case {
        int list;
        std::vector<int> stored;
        std::size_t count;
        std::vector<int> placed;
    };
    const Case cases[] = {
        {ColumnsList::MainFiles, {0, 1, 2, 3, 4, 5, 6, 99}, 8, {0, 1, 2, 3, 4, 5, 7, 6}},
        {ColumnsList::MainFiles, {1, 1, 2, 3, 4, 5, 6, 7}, 8, {0, 1, 2, 3, 4, 5, 7, 6}},
        {ColumnsList::MainFiles, {-1, 1, 2, 3, 4, 5, 6, 7}, 8, {0, 1, 2, 3, 4, 5, 7, 6}},
        {ColumnsList::MainDisks, {0, 1, 2, 3, 4, 5, 7}, 7, {0, 1, 2, 3, 4, 5, 6}},
        {ColumnsList::MainDisks, {6, 5, 4, 3, 2, 1, 0}, 7, {6, 5, 4, 3, 2, 1, 0}},
        // Seven file columns cannot take the file list's default either.
        {ColumnsList::MainFiles, {0, 1, 2, 3, 4, 5, 9}, 7, {0, 1, 2, 3, 4, 5, 6}},
    };
    for (const Case& c : cases) {
        ColumnsRecord stored = DefaultColumnsRecord(c.list);
        for (std::size_t i = 0; i < c.stored.size(); ++i)
            stored.order[i] = c.stored[i];
        EXPECT_EQ(PlaceColumns(c.list, stored, c.count).order, c.placed) << c.list << " " << c.count;
    }

    // Every column hidden: all widths 0, the columns stay.
    ColumnsRecord none = DefaultColumnsRecord(ColumnsList::MainDisks);
    none.visible.fill(0);
    EXPECT_EQ(PlaceColumns(ColumnsList::MainDisks, none, 7).widths, std::vector<int>(7, 0));
}

TEST(ColumnLayoutTest, SyncReadsTheLiveOrderAndWidths) {
    ColumnsRecord r = DefaultColumnsRecord(ColumnsList::MainDisks);
    const std::vector<int> order = {2, 0, 1, 3, 4, 5, 6};
    const std::vector<int> widths = {80, 0, 60, 70, 70, 70, 0};
    SyncColumnsRecord(r, order, widths);
    EXPECT_EQ(Order(r, 7), order);
    // Position 2 shows column 1 (width 0), position 6 column 6 (width 0).
    EXPECT_EQ(std::vector<int>(r.visible.begin(), r.visible.begin() + 7), (std::vector<int>{1, 1, 0, 1, 1, 1, 0}));
    // Positions beyond the list keep what they had.
    EXPECT_EQ(r.order[7], 7);
    EXPECT_EQ(r.visible[7], 1);
    // And placing it again gives the same list back.
    const ColumnPlacement p = PlaceColumns(ColumnsList::MainDisks, r, 7);
    EXPECT_EQ(p.order, order);
    EXPECT_EQ(p.widths, (std::vector<int>{-2, 0, -2, -2, -2, -2, 0}));
}

}  // namespace
}  // namespace kv
