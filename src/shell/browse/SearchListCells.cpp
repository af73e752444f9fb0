#include "shell/browse/SearchListCells.h"

#include "shell/browse/ItemColumns.h"
#include "shell/browse/ItemSort.h"

namespace kv {

namespace {

// The found list's sort hooks as the item sort asks for them.
class HookInterrupt final : public SortInterrupt {
public:
    explicit HookInterrupt(const SortHooks& hooks) : hooks_(hooks) {}
    bool escPressed() override { return hooks_.escPressed && hooks_.escPressed(); }
    bool askCancel() override { return hooks_.askCancel && hooks_.askCancel(); }
    void processMessages() override {
        if (hooks_.processMessages)
            hooks_.processMessages();
    }

private:
    const SortHooks& hooks_;
};

}  // namespace

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

    ItemList rows(items.begin(), items.end());
    HookInterrupt interrupt(hooks);
    const bool complete = SortListWithCancel(rows, ItemComparer(params), cancel, nullptr, &interrupt);
    // The sort only reorders the list's own entries.
    for (std::size_t i = 0; i < rows.size(); ++i)
        items[i] = const_cast<ItemHead*>(rows[i]);
    return complete;
}

}  // namespace kv
