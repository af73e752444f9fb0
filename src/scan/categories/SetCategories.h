#pragma once
// Set Categories and Flags without its window: what the selected items'
// catalogs define and which category and flags the items share, and the
// writing of the user's choice into each item by name, catalog by catalog.
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "catalog/model/Node.h"

namespace kv {

enum class FlagCheck : std::uint8_t { Unchecked, Checked, Grayed };

struct SetCatEntry {
    std::string name;
    bool everywhere = true;  // defined in every catalog of the items ("* " otherwise)
};

struct SetCatState {
    std::size_t itemCount = 0;
    std::vector<Node*> catalogs;
    // Entry 0 is the clear entry; then the category names in the order met.
    std::vector<SetCatEntry> categories;
    std::vector<SetCatEntry> flags;
    std::vector<FlagCheck> flagChecks;
    // -2: the items differ; else the entry all items share (0: none).
    int commonCategory = -1;
    bool anyMarked() const;
};

inline constexpr const char* kClearCategoriesEntry = "(Clear categories for all items )";

// items: files and folders (other records count as having no category).
SetCatState GatherItemStates(std::span<ItemHead* const> items);

// chosenCategory: the entry checked last (-1: none); flagChecks: as the user
// left them. Records that are not files or folders are passed over.
void ApplyToItems(std::span<ItemHead* const> items, const SetCatState& state, int chosenCategory,
                  const std::vector<FlagCheck>& flagChecks);

// The catalog node above an item.
Node* CatalogOfItem(const ItemHead& item);

}  // namespace kv
