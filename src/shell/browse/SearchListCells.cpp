#include "shell/browse/SearchListCells.h"

#include "shell/browse/ItemColumns.h"
#include "shell/browse/ItemSort.h"

namespace kv {

CellContext SearchListCells::context() const {
    CellContext ctx = sources_.cells ? sources_.cells() : CellContext{};
    // The ".." row belongs to the main list only.
    ctx.upRecord = nullptr;
    return ctx;
}

std::string SearchListCells::CellText(const ItemHead& rec, int column) const {
    const std::uint8_t kind = TranslateColumn(sources_.list, column, &rec);
    return kind == ColumnKind::Empty ? std::string() : kv::CellText(&rec, kind, context());
}

int SearchListCells::CellImage(const ItemHead& rec) const { return sources_.image ? sources_.image(rec) : -1; }

bool SearchListCells::SortItems(std::vector<ItemHead*>& items, int column, bool descending, std::atomic<bool>& cancel,
                                const SortHooks& hooks) const {
    SortParams params = sources_.sorting ? sources_.sorting() : SortParams{};
    params.list = sources_.list;
    params.column = static_cast<std::uint8_t>(column);
    params.reverse = descending;
    params.upRecord = nullptr;
    const CellContext cells = context();
    params.cells = &cells;
    const CaseMapCollator caseMap;
    SortKeyCollator keys(params.collator ? *params.collator : caseMap);
    params.collator = &keys;

    // A copy is sorted so that the list and its index words stay as the model
    // knows them while messages are pumped (records freed meanwhile leave the
    // list through those words). A list changed by a pump keeps its own
    // entries: the copy is dropped, never written back.
    std::vector<ItemHead*> rows = items;
    const bool complete = SortListWithCancel(rows, ItemComparer(params), cancel, hooks);
    if ((hooks.changed && hooks.changed()) || rows.size() != items.size())
        return false;
    items = std::move(rows);
    return complete;
}

}  // namespace kv
