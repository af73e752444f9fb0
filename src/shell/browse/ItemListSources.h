#pragma once
// The item lists of the program's windows, each known by the list control that
// shows it: the record behind a row of any of them, and which list it is (the
// comparer sorts each kind its own way). A window registers its list while it
// exists; a list nobody registered has no records.
#include <cstddef>
#include <functional>
#include <optional>
#include <vector>

#include "catalog/model/ItemHead.h"
#include "shell/browse/ItemColumns.h"

namespace kv {

class ItemListSources {
public:
    // The record of a row, -1 the focused row; null beyond the list or without a focused row.
    using RecordAt = std::function<const ItemHead*(std::ptrdiff_t row)>;

    // Registers (or replaces) the list shown by `control`.
    void add(const void* control, ItemListKind kind, RecordAt recordAt);
    void remove(const void* control);

    const ItemHead* record(const void* control, std::ptrdiff_t row) const;
    std::optional<ItemListKind> kind(const void* control) const;

private:
    struct Entry {
        const void* control;
        ItemListKind kind;
        RecordAt recordAt;
    };
    const Entry* find(const void* control) const;

    std::vector<Entry> lists_;
};

// The record of a row of a list of record pointers (or of nodes), -1 taking
// the focused row from `focused` (-1 when none).
template <class List, class Focused, class Record>
ItemListSources::RecordAt RowsOf(const List& list, Focused focused, Record record) {
    return [&list, focused, record](std::ptrdiff_t row) -> const ItemHead* {
        if (row < 0)
            row = focused();
        if (row < 0 || static_cast<std::size_t>(row) >= list.size())
            return nullptr;
        return record(list[static_cast<std::size_t>(row)]);
    };
}

}  // namespace kv
