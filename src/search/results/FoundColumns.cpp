#include "search/results/FoundColumns.h"

#include <utility>
#include <vector>

#include "base/text/SizeFormat.h"
#include "catalog/model/ItemPath.h"
#include "catalog/model/Node.h"
#include "search/engine/Duplicates.h"

namespace kv {

namespace {

// Files their size, folders the total below them, disks nothing.
std::optional<std::int64_t> SizeOf(const ItemHead& item) {
    if (const auto* file = RecordAs<TFileRec>(&item))
        return file->stored.size;
    if (const auto* folder = RecordAs<TFolderRec>(&item))
        return folder->stored.totalSize.bytes();
    return std::nullopt;
}

}  // namespace

std::string FoundCellText(const ItemHead& item, int column) {
    const std::string_view name = ItemName(item);
    switch (column) {
    case kFoundName:
        return std::string(name);
    case kFoundExt: {
        if (item.kind() != ItemFlags::File)
            return {};
        const std::size_t dot = name.rfind('.');
        return dot == std::string_view::npos ? std::string() : std::string(name.substr(dot + 1));
    }
    case kFoundSize:
        if (const auto* file = RecordAs<TFileRec>(&item))
            return FormatSize(file->stored.size);
        if (const auto* folder = RecordAs<TFolderRec>(&item))
            return FormatSize(folder->stored.totalSize);
        return {};
    case kFoundLocation: {
        const Node* disk = GetItemOwner(&item, OwnerQuery::DiskOfOwner);
        return (disk ? disk->text() + ":" : std::string()) + GetItemPath(&item, false, true);
    }
    default:
        return {};
    }
}

std::string FoundSortText(const ItemHead& item, int column) {
    if (column == kFoundSize) {
        const std::optional<std::int64_t> size = SizeOf(item);
        return size ? std::to_string(*size) : std::string();
    }
    return FoundCellText(item, column);
}

FoundSortStep FoundListColumnClick(TResultList& list, int column) {
    if (list.sortColumn == column) {
        list.sortDescending = !list.sortDescending;
        return FoundSortStep::Reverse;
    }
    list.sortColumn = static_cast<std::uint8_t>(column);
    list.sortDescending = false;
    return FoundSortStep::Full;
}

bool SortSearchResults(TResultList& list, FoundSortStep step, const ui::CompareLocale& locale,
                       std::atomic<bool>& cancel, const SortHooks& hooks) {
    std::vector<ItemHead*>& items = list.MutableItems();
    bool complete = true;
    if (step == FoundSortStep::Reverse) {
        ReverseResultList(items, static_cast<ItemHead*>(nullptr));
    } else {
        // Each key is made once, not on every comparison.
        using Keyed = std::pair<std::string, ItemHead*>;
        std::vector<Keyed> keyed;
        keyed.reserve(items.size());
        for (ItemHead* item : items)
            keyed.emplace_back(item ? FoundSortText(*item, list.sortColumn) : std::string(), item);
        const int sign = list.sortDescending ? -1 : 1;
        complete = SortListWithCancel(
            keyed,
            [&locale, sign](const Keyed& a, const Keyed& b) {
                return sign * ui::DefaultItemCompare(a.first, b.first, locale);
            },
            cancel, hooks);
        for (std::size_t i = 0; i < items.size(); ++i)
            items[i] = keyed[i].second;
    }
    list.RenumberSearchResults(0);
    return complete;
}

}  // namespace kv
