#pragma once
// Where the search window's parts go for a client size: the criteria area on
// top (pages, Find/Cancel, New Search, the animation, Close), then the toolbar,
// the found list taking the rest, and the status bar at the bottom. A
// maximized list hides the criteria area and the toolbar moves to the top.
#include <cstdint>

namespace kv {

struct LayoutBox {
    int x = 0, y = 0, width = 0, height = 0;
    bool operator==(const LayoutBox&) const = default;
};

// The criteria area's fixed heights: the pages, then the row of buttons.
inline constexpr int kSearchMargin = 5;
inline constexpr int kSearchPagesHeight = 215;
inline constexpr int kSearchButtonRowTop = 225;
inline constexpr int kSearchButtonWidth = 90;
inline constexpr int kSearchButtonHeight = 26;
// The window's client height before the found list has been shown.
inline constexpr int kSearchCriteriaHeight = kSearchButtonRowTop + kSearchButtonHeight + kSearchMargin;
// Room the found list needs below its toolbar and above the status bar.
inline constexpr int kFoundListGap = 3;
inline constexpr int kStatusGap = 2;
inline constexpr int kSearchClipWidth = 60;
inline constexpr int kSearchClipHeight = 30;

struct SearchLayoutInput {
    int clientWidth = 0;
    int clientHeight = 0;
    int toolbarSide = 0;      // a toolbar button's side
    int toolbarRowWidth = 0;  // the buttons and bevels in a row
    int statusHeight = 0;
    bool listShown = false;
    bool maximized = false;
};

struct SearchLayout {
    LayoutBox pages, find, newSearch, close, animation;
    LayoutBox toolbar, foundList;
    // The found list's height as the current list keeps it (at least 100);
    // 0 while the list is not shown.
    std::uint16_t storedListHeight = 0;
};

SearchLayout LayOutSearchWindow(const SearchLayoutInput& in);

// Client heights: the least one with the found list shown, and the one that
// gives the list its stored height.
int SearchMinClientHeight(int toolbarSide, int statusHeight);
int SearchClientHeightFor(int listHeight, int toolbarSide, int statusHeight);
// The least client width: the toolbar's row, and the criteria buttons side by side.
int SearchMinClientWidth(int toolbarRowWidth);

// The category page's two lists share its width 3 : 2.
struct CategorySplit {
    LayoutBox categories, flags;
};
CategorySplit SplitCategoryPage(int pageWidth, int pageHeight);

}  // namespace kv
