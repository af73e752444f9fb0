#include "shell/browse/ItemListSources.h"

#include <algorithm>

namespace kv {

void ItemListSources::add(const void* control, ItemListKind kind, RecordAt recordAt) {
    remove(control);
    if (control && recordAt)
        lists_.push_back({control, kind, std::move(recordAt)});
}

void ItemListSources::remove(const void* control) {
    std::erase_if(lists_, [control](const Entry& e) { return e.control == control; });
}

const ItemListSources::Entry* ItemListSources::find(const void* control) const {
    auto it = std::find_if(lists_.begin(), lists_.end(), [control](const Entry& e) { return e.control == control; });
    return it == lists_.end() ? nullptr : &*it;
}

const ItemHead* ItemListSources::record(const void* control, std::ptrdiff_t row) const {
    const Entry* e = find(control);
    return e ? e->recordAt(row) : nullptr;
}

std::optional<ItemListKind> ItemListSources::kind(const void* control) const {
    const Entry* e = find(control);
    return e ? std::optional<ItemListKind>(e->kind) : std::nullopt;
}

}  // namespace kv
