#include "controls/HeaderSort.h"

namespace kv::ui {

void HeaderSortState::beginClick(int column) {
    if (AutoColumnSort != TAutoColumnSort::acsSortToggle) return;
    CurrentSortAscending = column == LastColumnSorted ? !CurrentSortAscending : AutoSortAscending;
}

std::optional<SortRequest> HeaderSortState::endClick(int column, int columnCount) {
    if (AutoColumnSort == TAutoColumnSort::acsNoSort || column < 0 || column >= columnCount) return std::nullopt;
    LastColumnSorted = column;
    return SortRequest{column, CurrentSortAscending};
}

std::optional<SortRequest> HeaderSortState::resort(int columnCount) const {
    if (AutoColumnSort == TAutoColumnSort::acsNoSort || LastColumnSorted < 0 || LastColumnSorted >= columnCount)
        return std::nullopt;
    return SortRequest{LastColumnSorted, CurrentSortAscending};
}

}  // namespace kv::ui
