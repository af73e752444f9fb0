#pragma once
// What a click on a column header does to the sort state of a list.
#include <optional>

namespace kv::ui {

enum class TAutoColumnSort { acsNoSort, acsSort, acsSortToggle };

struct SortRequest {
    int column;
    bool ascending;
};

struct HeaderSortState {
    TAutoColumnSort AutoColumnSort = TAutoColumnSort::acsNoSort;
    bool AutoSortAscending = true;
    bool CurrentSortAscending = true;
    int LastColumnSorted = -1;

    void setAutoSortAscending(bool ascending) { AutoSortAscending = CurrentSortAscending = ascending; }
    // Before the click event: with toggling, the same column reverses and
    // another column starts again in the automatic direction.
    void beginClick(int column);
    // After the click event: the sort to run, if any; marks the column sorted.
    std::optional<SortRequest> endClick(int column, int columnCount);
    // The sort that repeats the last one, if any.
    std::optional<SortRequest> resort(int columnCount) const;
};

}  // namespace kv::ui
