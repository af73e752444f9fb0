#include <gtest/gtest.h>

#include "shell/browse/SortControls.h"

namespace kv {
namespace {

TEST(SortControlsTest, CaptionsAndPicturesFollowTheList) {
    EXPECT_EQ(ArrangeByCaption(SortListMode::FileList, 0), "Arrange by &Filename");
    EXPECT_EQ(ArrangeByCaption(SortListMode::DiskList, 1), "Arrange by &Media Type");
    EXPECT_EQ(ArrangeByCaption(SortListMode::FileList, 7), "Arrange by &Categories");
    EXPECT_EQ(ArrangeByCaption(SortListMode::DiskList, 7), std::nullopt);
    EXPECT_EQ(ArrangeByCaption(SortListMode::FileList, -1), std::nullopt);
    EXPECT_EQ(SortButton2(SortListMode::DiskList).picture, "SORTPICT2B");
    EXPECT_EQ(SortButton4(SortListMode::FileList).hint, "Sort by Date");
    EXPECT_EQ(SortButtonColumn(26), 0);
    EXPECT_EQ(SortButtonColumn(29), 3);
    EXPECT_EQ(SortButtonColumn(30), std::nullopt);

    SortControlsState state;
    EXPECT_TRUE(state.update(SortListMode::DiskList));
    EXPECT_FALSE(state.update(SortListMode::DiskList));
    EXPECT_TRUE(state.update(SortListMode::FileList));
}

}  // namespace
}  // namespace kv
