#include <gtest/gtest.h>

#include "search/window/SearchLayout.h"

namespace kv {
namespace {

constexpr int kSide = 25;
constexpr int kStatus = 20;

SearchLayoutInput Input(int width, int height, bool shown, bool maximized) {
    return {width, height, kSide, 400, kStatus, shown, maximized};
}

TEST(SearchLayoutTest, FoundListTakesTheRestOfTheHeightAndKeepsItsOwn) {
    struct Case {
        int width, height;
        bool maximized;
        LayoutBox toolbar, list;
        int stored;
    };
    const int listTop = kSearchCriteriaHeight + kSide + kFoundListGap;
    const Case cases[] = {
        // Growing the window grows the list, and the list keeps that height.
        {600, 600, false, {5, kSearchCriteriaHeight, 590, kSide}, {5, listTop, 590, 600 - kStatus - 2 - listTop},
         600 - kStatus - 2 - listTop},
        {800, 700, false, {5, kSearchCriteriaHeight, 790, kSide}, {5, listTop, 790, 700 - kStatus - 2 - listTop},
         700 - kStatus - 2 - listTop},
        // Maximized: the toolbar goes to the top, the list keeps its normal height.
        {600, 600, true, {5, 5, 590, kSide}, {5, 5 + kSide + 3, 590, 600 - kStatus - 2 - (5 + kSide + 3)},
         600 - kStatus - 2 - listTop},
        // Narrower than the button row: the toolbar keeps its row.
        {300, 600, false, {5, kSearchCriteriaHeight, 400, kSide}, {5, listTop, 290, 600 - kStatus - 2 - listTop},
         600 - kStatus - 2 - listTop},
        // Too short: the list is empty but its kept height is the least one.
        {600, 300, false, {5, kSearchCriteriaHeight, 590, kSide}, {5, listTop, 590, 0}, 100},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.width << "x" << c.height << (c.maximized ? " maximized" : ""));
        const SearchLayout l = LayOutSearchWindow(Input(c.width, c.height, true, c.maximized));
        EXPECT_EQ(l.toolbar, c.toolbar);
        EXPECT_EQ(l.foundList, c.list);
        EXPECT_EQ(l.storedListHeight, c.stored);
        EXPECT_EQ(l.pages, (LayoutBox{5, 5, c.width - 10, kSearchPagesHeight}));
    }
    // Before the list was shown nothing of it is kept.
    EXPECT_EQ(LayOutSearchWindow(Input(600, kSearchCriteriaHeight, false, false)).storedListHeight, 0);
}

TEST(SearchLayoutTest, ButtonsKeepTheirPlacesAndNeverOverlap) {
    for (int width : {300, 365, 580, 1000}) {
        SCOPED_TRACE(width);
        const SearchLayout l = LayOutSearchWindow(Input(width, 600, true, false));
        EXPECT_EQ(l.find.x, 5);
        EXPECT_EQ(l.newSearch.x, 100);
        EXPECT_GE(l.animation.x, l.newSearch.x + l.newSearch.width);
        EXPECT_GE(l.close.x, l.animation.x + l.animation.width);
        if (width >= SearchMinClientWidth(0)) {
            EXPECT_EQ(l.close.x + l.close.width, width - 5);
        }
        for (const LayoutBox& b : {l.find, l.newSearch, l.close, l.animation})
            EXPECT_LE(b.y + b.height, kSearchCriteriaHeight);
    }
    EXPECT_EQ(SearchMinClientWidth(0), 365);
    EXPECT_EQ(SearchMinClientWidth(500), 510);
}

TEST(SearchLayoutTest, HeightsForTheListRoundTrip) {
    // The least window leaves the list its least height; a stored height comes back.
    const int least = SearchMinClientHeight(kSide, kStatus);
    EXPECT_EQ(least, kSearchCriteriaHeight + kStatus + kSide + 105);
    EXPECT_EQ(LayOutSearchWindow(Input(600, least, true, false)).foundList.height, 100);
    const int tall = SearchClientHeightFor(333, kSide, kStatus);
    EXPECT_EQ(LayOutSearchWindow(Input(600, tall, true, false)).storedListHeight, 333);
    EXPECT_EQ(LayOutSearchWindow(Input(600, tall, true, true)).storedListHeight, 333);
    EXPECT_EQ(SearchClientHeightFor(20, kSide, kStatus), least);
}

TEST(SearchLayoutTest, CategoryPageSplitsThreeToTwo) {
    const CategorySplit s = SplitCategoryPage(530, 180);
    EXPECT_EQ(s.categories, (LayoutBox{10, 10, 300, 160}));
    EXPECT_EQ(s.flags, (LayoutBox{320, 10, 200, 160}));
    const CategorySplit tiny = SplitCategoryPage(5, 5);
    EXPECT_EQ(tiny.categories.width, 0);
    EXPECT_EQ(tiny.flags.height, 0);
}

}  // namespace
}  // namespace kv
