#include "shell/browse/SearchListCells.h"

#include "catalog/model/ItemRecords.h"
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
    if (kind == ColumnKind::Empty)
        return {};
    const CellContext ctx = context();
    // The compare list has one column for the date and the time, as its files found on disk show them.
    if (sources_.list == ItemListKind::CompareResults && kind == ColumnKind::Date) {
        if (const auto* file = RecordAs<TFileRec>(&rec))
            return DateTimeCellText(file->stored.modified, ctx);
        if (const auto* folder = RecordAs<TFolderRec>(&rec))
            return DateTimeCellText(folder->stored.modified, ctx);
    }
    return kv::CellText(&rec, kind, ctx);
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
