#include "search/results/ResultList.h"

#include <algorithm>

namespace kv {

void TResultList::Append(ItemHead& item) {
    item.indexWord(slot_) = ListIndexFor(items_.size());
    items_.push_back(&item);
    ++revision_;
}

void TResultList::ClearEntry(std::size_t i) {
    if (i < items_.size() && items_[i]) {
        items_[i]->indexWord(slot_) = kNotListed;
        items_[i] = nullptr;
        ++revision_;
    }
}

void TResultList::DropFreedEntry(std::size_t i) {
    if (i < items_.size()) {
        items_[i] = nullptr;
        ++revision_;
    }
}

bool TResultList::RenumberSearchResults(std::size_t from) {
    const std::size_t before = items_.size();
    std::size_t out = std::min(from, before);
    for (std::size_t i = out; i < before; ++i) {
        if (ItemHead* item = items_[i]) {
            item->indexWord(slot_) = ListIndexFor(out);
            items_[out++] = item;
        }
    }
    items_.resize(out);
    if (out != before)
        ++revision_;
    return out != before;
}

void TResultList::ClearResultIndexes(std::size_t from) {
    for (std::size_t i = from; i < items_.size(); ++i) {
        if (items_[i])
            items_[i]->indexWord(slot_) = kNotListed;
    }
}

void TResultList::ClearSearchResults() {
    ClearResultIndexes(0);
    items_.clear();
    ++revision_;
}

std::optional<std::size_t> TResultList::Find(const ItemHead& item) const {
    return ProbeListIndex(item.indexWord(slot_), items_.size(), [&](std::size_t i) { return items_[i] == &item; });
}

TResultList::Removal TResultList::RemoveRows(std::vector<std::size_t> rows, std::optional<std::size_t> focused) {
    std::sort(rows.begin(), rows.end());
    rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
    Removal result;
    std::size_t first = items_.size();
    std::optional<std::size_t> kept = focused;
    for (std::size_t row : rows) {
        if (row >= items_.size() || !items_[row])
            continue;
        ClearEntry(row);
        ++result.removed;
        first = std::min(first, row);
        if (kept && row < *focused)
            --*kept;
    }
    RenumberSearchResults(first);
    if (!items_.empty())
        result.focus = std::min(kept.value_or(first), items_.size() - 1);
    return result;
}

std::size_t ResultListSet::size(ResultSlot slot) const {
    const TResultList* l = list(slot);
    return l ? l->Count() : 0;
}

const ItemHead* ResultListSet::entry(ResultSlot slot, std::size_t index) const {
    const TResultList* l = list(slot);
    return l ? l->At(index) : nullptr;
}

void ResultListSet::clearEntry(ResultSlot slot, std::size_t index) {
    if (TResultList* l = list(slot))
        l->DropFreedEntry(index);
}

void ResultListSet::renumber(ResultSlot slot) noexcept {
    TResultList* l = list(slot);
    if (!l)
        return;
    const bool changed = l->RenumberSearchResults(0);
    if (changed && onRenumbered) {
        try {
            onRenumbered(slot);
        } catch (...) {
            // A view that cannot refresh now does so on its next paint.
        }
    }
}

bool LocateFoundItem(const TResultList& list, std::optional<std::size_t> focused, IItemLocator& locator) {
    if (!focused)
        return false;
    ItemHead* item = list.At(*focused);
    if (!item)
        return false;
    locator.GoToItem(*item);
    return true;
}

}  // namespace kv
