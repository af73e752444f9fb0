#pragma once
// A stand-in for the main window's cells in the search tests: the name in the
// first column, and rows ordered by the bytes of their names.
#include "search/engine/Duplicates.h"
#include "search/results/FoundColumns.h"

namespace kv::test {

class NameOrderCells final : public FoundCellProvider {
public:
    std::string CellText(const ItemHead& rec, int column) const override {
        return column == kFoundName ? std::string(ItemName(rec)) : std::string();
    }
    int CellImage(const ItemHead&) const override { return -1; }
    bool SortItems(std::vector<ItemHead*>& items, int, bool descending, std::atomic<bool>& cancel,
                   const SortHooks& hooks) const override {
        return SortListWithCancel(
            items,
            [descending](const ItemHead* a, const ItemHead* b) {
                const int c = ItemName(*a).compare(ItemName(*b));
                return descending ? -c : c;
            },
            cancel, hooks);
    }
};

}  // namespace kv::test
