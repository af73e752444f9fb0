#include "controls/docks/ToolbarLayout.h"

#include <gtest/gtest.h>

namespace kv::ui {
namespace {

// Five 23-pixel buttons with a separator after the second.
std::vector<ToolbarItem> fiveButtons() {
    ToolbarItem b{23, 22};
    ToolbarItem sep;
    sep.separator = true;
    return {b, b, sep, b, b, b};
}

TEST(ToolbarLayout, DockedOneLineWithAndWithoutHandle) {
    ToolbarLayoutInput in;
    const auto withHandle = LayoutControls(in, fiveButtons());
    EXPECT_EQ(withHandle.lines, 1);
    EXPECT_EQ(withHandle.items[0].bounds, (DockRect{11, 2, 34, 24}));
    EXPECT_EQ(withHandle.items[2].bounds, (DockRect{57, 2, 63, 24}));  // separator: full line thickness
    EXPECT_EQ(withHandle.size, (DockSize{11 + 5 * 23 + 6 + 2, 2 + 22 + 2}));
    in.dragHandle = false;
    EXPECT_EQ(LayoutControls(in, fiveButtons()).items[0].bounds.left, 2);
    in.minThickness = 40;
    EXPECT_EQ(LayoutControls(in, fiveButtons()).size.height, 40);
}

TEST(ToolbarLayout, VerticalDockUsesSizeVertAlongY) {
    auto items = fiveButtons();
    items[2].sizeVert = 9;
    ToolbarLayoutInput in;
    in.orientation = ToolbarOrientation::Vertical;
    const auto l = LayoutControls(in, items);
    EXPECT_EQ(l.items[0].bounds, (DockRect{2, 11, 25, 33}));
    EXPECT_EQ(l.items[2].bounds.height(), 9);
    EXPECT_EQ(l.items[2].bounds.width(), 23);
    EXPECT_EQ(l.size, (DockSize{2 + 23 + 2, 11 + 5 * 22 + 9 + 2}));
}

TEST(ToolbarLayout, FloatingWrapBreaksAfterTheSeparatorFirst) {
    ToolbarLayoutInput in;
    in.orientation = ToolbarOrientation::Floating;
    const int single = LayoutControls(in, fiveButtons()).size.width;
    EXPECT_EQ(single, 4 + 5 * 23 + 6 + 4);
    in.wrapWidth = single - 1;
    const auto l = LayoutControls(in, fiveButtons());
    EXPECT_EQ(l.lines, 2);
    EXPECT_TRUE(l.items[2].lineSeparator);
    EXPECT_EQ(l.items[2].bounds.width(), 0);
    EXPECT_EQ(l.items[3].bounds, (DockRect{4, 2 + 22 + 6, 27, 2 + 22 + 6 + 22}));
    EXPECT_EQ(l.items[2].nextLineOffset, 30);
    EXPECT_EQ(l.size.height, 30 + 22 + 1);
}

TEST(ToolbarLayout, NarrowOrZeroWrapWidthNeverLoops) {
    ToolbarLayoutInput in;
    in.orientation = ToolbarOrientation::Floating;
    in.wrapWidth = 5;  // narrower than one button: one control per line
    const auto narrow = LayoutControls(in, fiveButtons());
    EXPECT_EQ(narrow.lines, 5);
    for (int i : {0, 1, 3, 4, 5}) EXPECT_EQ(narrow.items[i].bounds.left, 4);
    in.wrapWidth = 0;  // never set: one line
    EXPECT_EQ(LayoutControls(in, fiveButtons()).lines, 1);
    // A control wider than the wrap width still takes its line.
    in.wrapWidth = 100;
    const auto wide = LayoutControls(in, {{23, 22}, {400, 22}, {23, 22}});
    EXPECT_EQ(wide.lines, 3);
    EXPECT_EQ(wide.items[1].bounds.width(), 400);
}

TEST(ToolbarLayout, HiddenControlsTakeNoRoomAndSmallOnesAreCentred) {
    auto items = fiveButtons();
    items[0].visible = false;
    items.push_back({10, 10});
    ToolbarLayoutInput in;
    const auto l = LayoutControls(in, items);
    EXPECT_TRUE(l.items[0].bounds.empty());
    EXPECT_EQ(l.items[1].bounds.left, 11);
    EXPECT_EQ(l.items[6].bounds.top, 2 + 6);
}

TEST(ToolbarLayout, CandidateSizesShrinkAndStayDistinct) {
    const auto sizes = CandidateSizes(fiveButtons());
    ASSERT_GE(sizes.size(), 3u);
    for (std::size_t i = 1; i < sizes.size(); ++i) {
        EXPECT_LT(sizes[i].width, sizes[i - 1].width);
        EXPECT_GT(sizes[i].height, sizes[i - 1].height);
    }
    // A separator that ended a wrapped line lies between the lines and takes
    // no room along them.
    EXPECT_EQ(sizes.back().width, 4 + 23 + 4);
    ToolbarLayoutInput narrow;
    narrow.orientation = ToolbarOrientation::Floating;
    narrow.wrapWidth = 40;
    ToolbarItem sep;
    sep.separator = true;
    const auto two = LayoutControls(narrow, {{23, 22}, sep, {23, 22}});
    EXPECT_EQ(two.lines, 2);
    EXPECT_EQ(two.size.width, 31);
    EXPECT_TRUE(two.items[1].lineSeparator);
    EXPECT_EQ(CandidateSizes({{23, 22}}).size(), 1u);
    // A control far wider than the rest ends the list without counting down.
    EXPECT_EQ(CandidateSizes({{1000000, 22}}).size(), 1u);

    EXPECT_EQ(PickCandidateByWidth(sizes, sizes[1].width + 3), sizes[1]);
    EXPECT_EQ(PickCandidateByWidth(sizes, 1), sizes.back());
    EXPECT_EQ(PickCandidateByHeight(sizes, sizes[1].height - 1), sizes[1]);
    EXPECT_EQ(PickCandidateByHeight(sizes, 100000), sizes.back());
}

}  // namespace
}  // namespace kv::ui
