#pragma once
// The found list's columns. What a cell shows and how rows sort come from the
// main window (the cell provider and the item comparer of every item list),
// through FoundCellProvider; this layer only knows the columns.
#include <atomic>
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "catalog/model/ItemHead.h"
#include "controls/ListSort.h"
#include "search/results/ResultList.h"

namespace kv {

enum FoundColumn {
    kFoundName,
    kFoundExt,
    kFoundSize,
    kFoundDate,
    kFoundTime,
    kFoundMediaName,
    kFoundMediaType,
    kFoundLocation,
    kFoundCategory,
    kFoundDescription,
    kFoundColumnCount
};

class FoundCellProvider {
public:
    virtual ~FoundCellProvider() = default;
    // The text of the column's cell for the record.
    virtual std::string CellText(const ItemHead& rec, int column) const = 0;
    // The record's icon in the shared small images; -1 for none.
    virtual int CellImage(const ItemHead& rec) const = 0;
    // Stable sort by the column through the program's item comparer (reversed
    // when descending). False when stopped: the partial order is kept and no
    // entry is lost or repeated. hooks.changed reports after a pump that the
    // list changed: the sort then stops and leaves `items` alone.
    virtual bool SortItems(std::vector<ItemHead*>& items, int column, bool descending, std::atomic<bool>& cancel,
                           const SortHooks& hooks) const = 0;
};

enum class FoundSortStep { Full, Reverse, None };

// A click on a column header: another column becomes the sort column,
// ascending, and needs a full sort; the sort column itself flips and only
// needs the rows reversed. While a run fills the list nothing changes (None).
FoundSortStep FoundListColumnClick(TResultList& list, int column);

// Sorts (Full, through cells) or reverses the list by its sort column and
// direction, then renumbers it. A sort stopped by Esc keeps its partial order,
// still renumbered; a list changed by a pump during the sort keeps its entries
// as they are then. False when stopped, and when a run fills the list (None):
// the list is then left alone.
bool SortSearchResults(TResultList& list, FoundSortStep step, const FoundCellProvider& cells,
                       std::atomic<bool>& cancel, const SortHooks& hooks = {});

// Type-ahead: the next row from start, wrapping, whose name starts with text
// (ignoring ASCII case); -1 when none.
std::ptrdiff_t FoundListVMFindItem(const TResultList& list, std::string_view text, std::size_t start);

}  // namespace kv
