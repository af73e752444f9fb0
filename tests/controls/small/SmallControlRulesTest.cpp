#include "controls/small/SmallControlRules.h"

#include <gtest/gtest.h>

namespace kv::ui {
namespace {

TEST(BasicColors, NamesInOrderAndRgbMatch) {
    EXPECT_EQ(kBasicColors[0].name, "Black");
    EXPECT_EQ(kBasicColors[4].name, "Navy");
    EXPECT_EQ(kBasicColors[15].name, "White");
    EXPECT_EQ(FindBasicColor(0x808000), 6);
    EXPECT_EQ(FindBasicColor(0x123456), -1);
}

TEST(SplitterLimits, RangeAndTooNarrowParent) {
    // 400 wide: left panel 100, splitter 3, right-aligned panel 50.
    const auto l = SplitterSizeLimits({400, 153, 100, 30});
    ASSERT_TRUE(l);
    EXPECT_EQ(l->min, 30);
    EXPECT_EQ(l->max, 317);
    EXPECT_EQ(SplitterDraggedSize(*l, 100, -90), 30);
    EXPECT_EQ(SplitterDraggedSize(*l, 100, 500), 317);
    EXPECT_EQ(SplitterDraggedSize(*l, 100, 20), 120);
    // Narrower than MinSize on both sides: no drag at all.
    EXPECT_FALSE(SplitterSizeLimits({50, 43, 40, 30}));
}

TEST(AutoScroll, EdgesScrollTowardThemselves) {
    const DockRect c{0, 0, 200, 100};
    struct Case {
        DockPoint p;
        bool vert, horz;
        AutoScrollStep step;
    };
    const Case cases[] = {
        {{100, 2}, false, false, {0, -1}},  {{100, 95}, false, false, {0, 1}},
        {{100, 80}, true, false, {0, 1}},   {{100, 80}, false, false, {0, 0}},
        {{2, 50}, false, false, {-1, 0}},   {{180, 50}, false, true, {1, 0}},
        {{100, 50}, true, true, {0, 0}},
    };
    for (const auto& c2 : cases)
        EXPECT_EQ(AutoScrollDirection(c2.p, c, -16, c2.vert, c2.horz), c2.step) << c2.p.x << "," << c2.p.y;
}

TEST(MinMax, FieldsPerOptions) {
    const MinMaxFields proposed{{1, 1}, {2, 2}, {3, 3}, {4, 4}};
    const MinMaxFields wanted{{800, 600}, {10, 20}, {200, 150}, {1000, 900}};
    EXPECT_EQ(ApplyMinMax(proposed, wanted, opAllMinMax, {300, 200}), wanted);
    EXPECT_EQ(ApplyMinMax(proposed, wanted, opAllMinMax & ~opAllowResize, {300, 200}),
              (MinMaxFields{{800, 600}, {10, 20}, {300, 200}, {300, 200}}));
    EXPECT_EQ(ApplyMinMax(proposed, wanted, opAllowResize, {300, 200}), proposed);
}

TEST(TabStyles, ImplicationsAndWindowBits) {
    const auto labelLeft = TabStylesToWindowStyle(tabLabelLeft, false);
    EXPECT_EQ(labelLeft.style, 0x0010u | 0x0020u | 0x0400u);
    EXPECT_EQ(labelLeft.tabWidth, 100);
    EXPECT_EQ(TabStylesToWindowStyle(tabRightJustify, false).style, 0x0200u);
    EXPECT_EQ(TabStylesToWindowStyle(tabIconLeft, true).tabWidth, 0);
    EXPECT_EQ(TabStylesToWindowStyle(tabButton | tabOwnerDraw, false).style, 0x0100u | 0x2000u);
}

TEST(UrlTarget, UrlOrCaptionAndOnlyWebOrMail) {
    EXPECT_EQ(UrlTarget(" http://example.org/ ", "Home"), "http://example.org/");
    EXPECT_EQ(UrlTarget("  ", "mailto:someone@example.org"), "mailto:someone@example.org");
    EXPECT_EQ(UrlTarget("HTTPS://x.org", ""), "HTTPS://x.org");
    EXPECT_EQ(UrlTarget("", "C:\\Windows\\notepad.exe"), std::nullopt);
    EXPECT_EQ(UrlTarget("file:///c:/x.exe", "http://fine.org"), std::nullopt);
    EXPECT_EQ(UrlTarget("http://", ""), std::nullopt);
    EXPECT_EQ(UrlTarget("", ""), std::nullopt);
}

}  // namespace
}  // namespace kv::ui
