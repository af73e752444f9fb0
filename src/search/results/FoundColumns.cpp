#include "search/results/FoundColumns.h"

#include "controls/ListSearch.h"
#include "search/engine/Duplicates.h"

namespace kv {

FoundSortStep FoundListColumnClick(TResultList& list, int column) {
    if (list.Filling())
        return FoundSortStep::None;
    if (list.sortColumn == column) {
        list.sortDescending = !list.sortDescending;
        return FoundSortStep::Reverse;
    }
    list.sortColumn = static_cast<std::uint8_t>(column);
    list.sortDescending = false;
    return FoundSortStep::Full;
}

bool SortSearchResults(TResultList& list, FoundSortStep step, const FoundCellProvider& cells,
                       std::atomic<bool>& cancel, const SortHooks& hooks) {
    if (step == FoundSortStep::None || list.Filling())
        return false;
    std::vector<ItemHead*>& items = list.MutableItems();
    bool complete = true;
    if (step == FoundSortStep::Reverse)
        ReverseResultList(items, static_cast<ItemHead*>(nullptr));
    else {
        SortHooks guarded = hooks;
        const std::uint64_t revision = list.Revision();
        guarded.changed = [&list, revision, outer = hooks.changed] {
            return list.Revision() != revision || (outer && outer());
        };
        complete = cells.SortItems(items, list.sortColumn, list.sortDescending, cancel, guarded);
    }
    list.RenumberSearchResults(0);
    return complete;
}

std::ptrdiff_t FoundListVMFindItem(const TResultList& list, std::string_view text, std::size_t start) {
    return FindNextInList(
        list.Count(),
        [&list](std::size_t i) {
            const ItemHead* item = list.At(i);
            return item ? ItemName(*item) : std::string_view();
        },
        text, start);
}

}  // namespace kv
