#include "scan/categories/SetCategories.h"

#include <algorithm>

#include "catalog/model/CatalogModified.h"
#include "catalog/model/FileRecord.h"

namespace kv {

namespace {

int indexOf(const std::vector<SetCatEntry>& entries, const std::string& name, std::size_t from) {
    for (std::size_t i = from; i < entries.size(); ++i)
        if (entries[i].name == name) return static_cast<int>(i);
    return -1;
}

const TCatalogRec* catalogRecOf(const ItemHead& item) {
    Node* node = CatalogOfItem(item);
    return node ? RecordAs<TCatalogRec>(node->record()) : nullptr;
}

}  // namespace

Node* CatalogOfItem(const ItemHead& item) {
    Node* node = item.node;
    while (node && node->parent()) node = node->parent();
    return node;
}

bool SetCatState::anyMarked() const {
    auto marked = [](const SetCatEntry& e) { return !e.everywhere; };
    return std::any_of(categories.begin() + (categories.empty() ? 0 : 1), categories.end(), marked) ||
           std::any_of(flags.begin(), flags.end(), marked);
}

SetCatState GatherItemStates(std::span<ItemHead* const> items) {
    SetCatState state;
    state.itemCount = items.size();
    state.categories.push_back({kClearCategoriesEntry, true});
    for (ItemHead* item : items) {
        if (!item) continue;
        Node* catalogNode = CatalogOfItem(*item);
        const TCatalogRec* catalog = catalogNode ? RecordAs<TCatalogRec>(catalogNode->record()) : nullptr;
        if (!catalog) continue;
        if (std::find(state.catalogs.begin(), state.catalogs.end(), catalogNode) == state.catalogs.end())
            state.catalogs.push_back(catalogNode);
        const std::uint8_t* b = CategoryByteOf(*item);
        const std::uint8_t value = b ? *b : 0;
        const std::uint8_t code = CategoryByte::Code(value);
        for (const CategoryEntry& entry : catalog->categories) {
            int index = indexOf(state.categories, entry.name, 1);
            if (index < 0) {
                state.categories.push_back({entry.name, true});
                index = static_cast<int>(state.categories.size() - 1);
            }
            if (code != 0 && entry.code == code)
                state.commonCategory = state.commonCategory == -1 || state.commonCategory == index ? index : -2;
        }
        if (code == 0)
            state.commonCategory = state.commonCategory == -1 || state.commonCategory == 0 ? 0 : -2;
        for (int n = 1; n <= CategoryByte::UserFlagCount; ++n) {
            const std::string& name = catalog->flagNames[static_cast<std::size_t>(n - 1)];
            if (name.empty()) continue;
            const FlagCheck check = CategoryByte::HasUserFlag(value, n) ? FlagCheck::Checked : FlagCheck::Unchecked;
            const int index = indexOf(state.flags, name, 0);
            if (index < 0) {
                state.flags.push_back({name, true});
                state.flagChecks.push_back(check);
            } else if (state.flagChecks[static_cast<std::size_t>(index)] != check) {
                state.flagChecks[static_cast<std::size_t>(index)] = FlagCheck::Grayed;
            }
        }
    }
    if (state.commonCategory == -1)
        state.commonCategory = 0;
    // Names some catalog of the items lacks.
    for (Node* node : state.catalogs) {
        const TCatalogRec& catalog = *RecordAs<TCatalogRec>(node->record());
        for (std::size_t i = 1; i < state.categories.size(); ++i)
            if (std::none_of(catalog.categories.begin(), catalog.categories.end(),
                             [&](const CategoryEntry& e) { return e.name == state.categories[i].name; }))
                state.categories[i].everywhere = false;
        for (SetCatEntry& flag : state.flags)
            if (std::find(catalog.flagNames.begin(), catalog.flagNames.end(), flag.name) == catalog.flagNames.end())
                flag.everywhere = false;
    }
    return state;
}

void ApplyToItems(std::span<ItemHead* const> items, const SetCatState& state, int chosenCategory,
                  const std::vector<FlagCheck>& flagChecks) {
    const bool several = items.size() > 1;
    for (ItemHead* item : items) {
        std::uint8_t* b = item ? CategoryByteOf(*item) : nullptr;
        const TCatalogRec* catalog = item ? catalogRecOf(*item) : nullptr;
        if (!b || !catalog) continue;
        std::uint8_t value = *b;
        if (chosenCategory < 0 && !several) {
            value = CategoryByte::WithCode(value, 0);
        } else if (chosenCategory == 0) {
            value = CategoryByte::WithCode(value, 0);
        } else if (chosenCategory > 0 && static_cast<std::size_t>(chosenCategory) < state.categories.size()) {
            const std::string& name = state.categories[static_cast<std::size_t>(chosenCategory)].name;
            std::uint8_t code = 0;
            for (const CategoryEntry& entry : catalog->categories)
                if (entry.name == name) code = entry.code;
            value = CategoryByte::WithCode(value, code);
        }
        for (std::size_t f = 0; f < state.flags.size() && f < flagChecks.size(); ++f) {
            if (flagChecks[f] == FlagCheck::Grayed) continue;
            for (int n = 1; n <= CategoryByte::UserFlagCount; ++n)
                if (catalog->flagNames[static_cast<std::size_t>(n - 1)] == state.flags[f].name)
                    value = CategoryByte::WithUserFlag(value, n, flagChecks[f] == FlagCheck::Checked);
        }
        if (value == *b || !item->node) {
            *b = value;
            continue;
        }
        *b = value;
        if (RecordAs<TFileRec>(item))
            SetFileListChanged(*item->node);
        else
            SetDiskModified(*item->node, true);
    }
}

}  // namespace kv
