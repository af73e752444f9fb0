#include <gtest/gtest.h>

#include "controls/ColumnFormat.h"
#include "controls/ColumnSettingsCodec.h"
#include "controls/HeaderSort.h"

namespace {

using namespace kv::ui;

TEST(ColumnSettingsCodec, SizesRoundTripAndBadEntriesAreSkipped) {
    EXPECT_EQ(encodeColumnList({120, 0, 75}), "120,0,75");
    EXPECT_EQ(encodeColumnList({}), "");
    auto sizes = decodeColumnSizes("120,x,-5,40,99", 4);
    ASSERT_EQ(sizes.size(), 4u);
    EXPECT_EQ(sizes[0], 120);
    EXPECT_FALSE(sizes[1]);
    EXPECT_EQ(sizes[2], 0);  // negative: hidden
    EXPECT_EQ(sizes[3], 40);
    EXPECT_EQ(decodeColumnSizes("50", 3).size(), 1u);  // the other columns are left alone
    EXPECT_TRUE(decodeColumnSizes("", 3).empty());
    EXPECT_FALSE(decodeColumnSizes("99999999999", 1)[0]);
}

TEST(ColumnSettingsCodec, OrderMustBeAPermutation) {
    EXPECT_EQ(decodeColumnOrder("2,0,1", 3), (std::vector<int>{2, 0, 1}));
    EXPECT_EQ(decodeColumnOrder(encodeColumnList({1, 0}), 2), (std::vector<int>{1, 0}));
    for (const char* bad : {"0,1", "0,1,2,3", "0,0,1", "0,1,3", "0,-1,1", "0,a,1", "", "0,,1"})
        EXPECT_FALSE(decodeColumnOrder(bad, 3)) << bad;
}

TEST(HeaderSort, ToggleReversesTheSameColumnAndRestartsOnAnother) {
    HeaderSortState s;
    s.AutoColumnSort = TAutoColumnSort::acsSortToggle;
    auto click = [&](int c) {
        s.beginClick(c);
        return s.endClick(c, 3);
    };
    auto r = click(1);
    ASSERT_TRUE(r);
    EXPECT_EQ(r->column, 1);
    EXPECT_TRUE(r->ascending);
    EXPECT_FALSE(click(1)->ascending);
    EXPECT_TRUE(click(1)->ascending);
    EXPECT_FALSE(click(1)->ascending);
    EXPECT_TRUE(click(2)->ascending);  // another column: the automatic direction
    EXPECT_EQ(s.LastColumnSorted, 2);
    EXPECT_FALSE(click(5));  // beyond the columns: no sort
    EXPECT_FALSE(click(-1));
    EXPECT_EQ(s.resort(3)->column, 2);

    s.setAutoSortAscending(false);
    EXPECT_FALSE(click(0)->ascending);
}

TEST(HeaderSort, SortKeepsTheDirectionAndNoSortSortsNothing) {
    HeaderSortState s;
    s.AutoColumnSort = TAutoColumnSort::acsSort;
    s.setAutoSortAscending(false);
    for (int c : {0, 0, 1}) {
        s.beginClick(c);
        EXPECT_FALSE(s.endClick(c, 2)->ascending);
    }
    s.AutoColumnSort = TAutoColumnSort::acsNoSort;
    s.beginClick(0);
    EXPECT_FALSE(s.endClick(0, 2));
    EXPECT_FALSE(s.resort(2));
}

TEST(ColumnFormat, ImageBitsFollowIndexAndSide) {
    ColumnFormat f = columnImageFormat(0, 1, 3, TColumnImageAlign::ciaRightOfText);
    EXPECT_EQ(f.mask, 0x11u);
    EXPECT_EQ(f.fmt, 0x800 | 0x1000 | 1);
    EXPECT_EQ(f.image, 3);
    f = columnImageFormat(f.fmt, 2, 0, TColumnImageAlign::ciaLeftOfText);
    EXPECT_EQ(f.fmt, 0x800 | 2);  // the image moves to the left again
    f = columnImageFormat(0x800 | 0x1000 | 1, 1, -1, TColumnImageAlign::ciaRightOfText);
    EXPECT_EQ(f.mask, 0x1u);
    EXPECT_EQ(f.fmt, 1);
}

}  // namespace
