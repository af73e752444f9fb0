#pragma once
// The search window's found list as the main window shows item rows: its
// columns translated per record (disks have their own), the cell texts and
// icons of every item list, and the one item comparer.
#include <functional>
#include <string_view>

#include "search/results/FoundColumns.h"
#include "shell/browse/ItemCells.h"
#include "shell/browse/ItemComparer.h"

namespace kv {

class SearchListCells final : public FoundCellProvider {
public:
    // Each may be empty: portable formats, the comparer's defaults, no icons.
    struct Sources {
        // The main list's formats and size style.
        std::function<CellContext()> cells;
        // The collator and the archive setting now in force.
        std::function<SortParams()> sorting;
        // The icon of a row's record.
        std::function<int(const ItemHead& rec)> image;
        // Whose columns: the found list's or the user list's.
        ItemListKind list = ItemListKind::SearchResults;
    };

    explicit SearchListCells(Sources sources) : sources_(std::move(sources)) {}

    std::string CellText(const ItemHead& rec, int column) const override;
    int CellImage(const ItemHead& rec) const override;
    bool SortItems(std::vector<ItemHead*>& items, int column, bool descending, std::atomic<bool>& cancel,
                   const SortHooks& hooks) const override;

private:
    CellContext context() const;

    Sources sources_;
};

}  // namespace kv
