#include "search/window/SearchLayout.h"

#include <algorithm>

#include "search/window/SearchPlacement.h"

namespace kv {

namespace {

constexpr int kClipGap = 10;
// A maximized list starts this much higher than a normal one.
constexpr int kMaximizedRise = kSearchCriteriaHeight - kSearchMargin;
constexpr int kPageInset = 10;

}  // namespace

SearchLayout LayOutSearchWindow(const SearchLayoutInput& in) {
    SearchLayout out;
    const int inner = std::max(0, in.clientWidth - 2 * kSearchMargin);
    out.pages = {kSearchMargin, kSearchMargin, inner, kSearchPagesHeight};
    const int row = kSearchButtonRowTop;
    out.find = {kSearchMargin, row, kSearchButtonWidth, kSearchButtonHeight};
    out.newSearch = {out.find.x + kSearchButtonWidth + kSearchMargin, row, kSearchButtonWidth, kSearchButtonHeight};
    // Close keeps to the right edge, but never over New Search.
    const int closeX = std::max(in.clientWidth - kSearchMargin - kSearchButtonWidth,
                                out.newSearch.x + kSearchButtonWidth + 2 * kClipGap + kSearchClipWidth);
    out.close = {closeX, row, kSearchButtonWidth, kSearchButtonHeight};
    out.animation = {closeX - kClipGap - kSearchClipWidth, row + (kSearchButtonHeight - kSearchClipHeight) / 2,
                     kSearchClipWidth, kSearchClipHeight};

    const int top = in.maximized ? kSearchMargin : kSearchCriteriaHeight;
    out.toolbar = {kSearchMargin, top, std::max(inner, in.toolbarRowWidth), in.toolbarSide};
    const int listTop = top + in.toolbarSide + kFoundListGap;
    const int listBottom = in.clientHeight - in.statusHeight - kStatusGap;
    out.foundList = {kSearchMargin, listTop, inner, std::max(0, listBottom - listTop)};
    if (in.listShown) {
        const int kept = out.foundList.height - (in.maximized ? kMaximizedRise : 0);
        out.storedListHeight = static_cast<std::uint16_t>(std::clamp<int>(kept, kMinFoundListHeight, 0xFFFF));
    }
    return out;
}

int SearchMinClientHeight(int toolbarSide, int statusHeight) {
    return SearchClientHeightFor(kMinFoundListHeight, toolbarSide, statusHeight);
}

int SearchClientHeightFor(int listHeight, int toolbarSide, int statusHeight) {
    return kSearchCriteriaHeight + toolbarSide + kFoundListGap + std::max<int>(listHeight, kMinFoundListHeight) +
           kStatusGap + statusHeight;
}

int SearchMinClientWidth(int toolbarRowWidth) {
    // Find, New Search, the clip and Close, with their gaps and margins.
    const int buttons = 3 * kSearchMargin + 3 * kSearchButtonWidth + 2 * kClipGap + kSearchClipWidth;
    return std::max(toolbarRowWidth + 2 * kSearchMargin, buttons);
}

CategorySplit SplitCategoryPage(int pageWidth, int pageHeight) {
    const int room = std::max(0, pageWidth - 3 * kPageInset);
    const int height = std::max(0, pageHeight - 2 * kPageInset);
    const int categories = room * 3 / 5;
    return {{kPageInset, kPageInset, categories, height},
            {2 * kPageInset + categories, kPageInset, room - categories, height}};
}

}  // namespace kv
