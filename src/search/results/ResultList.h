#pragma once
// A search window's result list: item-record pointers in display order. An item
// is in the list exactly when its index word of the list's slot is listed, and
// the word then holds its position modulo 32768. Main thread only.
#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <vector>

#include "catalog/model/ItemHead.h"
#include "catalog/model/ResultLists.h"

namespace kv {

class TResultList {
public:
    static constexpr std::uint8_t kUnsorted = 255;

    explicit TResultList(ResultSlot slot) : slot_(slot) {}
    // Leaves the records alone: a list goes with its window at the program's
    // end, when the catalogs may already have freed them.
    ~TResultList() = default;
    TResultList(const TResultList&) = delete;
    TResultList& operator=(const TResultList&) = delete;

    ResultSlot slot() const { return slot_; }
    std::size_t Count() const { return items_.size(); }
    // nullptr only between a removal and the renumbering.
    ItemHead* At(std::size_t i) const { return i < items_.size() ? items_[i] : nullptr; }
    std::span<ItemHead* const> Items() const { return items_; }
    // For sorting in place; Renumber afterwards.
    std::vector<ItemHead*>& MutableItems() { return items_; }
    // Counts every change of the list's entries other than a reordering, so a
    // sort that pumps messages can tell that the list changed under it.
    std::uint64_t Revision() const { return revision_; }
    // The record is being freed: its entry goes, its index word is not touched.
    void DropFreedEntry(std::size_t i);

    void Append(ItemHead& item);
    void ClearEntry(std::size_t i);
    // From `from` on: packs out the nil entries and rewrites the index words.
    // True when the count changed.
    bool RenumberSearchResults(std::size_t from);
    void ClearResultIndexes(std::size_t from);
    // Clears the index words and empties the list.
    void ClearSearchResults();

    // The item's position, probing its index word; nullopt when not in the list.
    std::optional<std::size_t> Find(const ItemHead& item) const;

    struct Removal {
        std::size_t removed = 0;
        // The row to focus and select afterwards; nullopt when the list is empty.
        std::optional<std::size_t> focus;
    };
    // Removes the rows (positions, in any order), keeping the focused position in
    // step with the removals before it.
    Removal RemoveRows(std::vector<std::size_t> rows, std::optional<std::size_t> focused);

    // A search run appends to the list and its worker reads the entries' index
    // words: their order and numbering stay as they are until the run ends.
    bool Filling() const { return filling_; }
    void SetFilling(bool on) { filling_ = on; }

    std::uint8_t sortColumn = 1;
    bool sortDescending = false;
    std::uint16_t listHeight = 100;
    bool maximized = false;
    bool listShown = false;

private:
    ResultSlot slot_;
    std::vector<ItemHead*> items_;
    std::uint64_t revision_ = 0;
    bool filling_ = false;
};

// The result lists as the catalog model reaches them when records are freed.
// A slot without a list counts as a list whose window does not exist.
class ResultListSet : public IResultLists {
public:
    void Attach(TResultList* list) { lists_[static_cast<std::size_t>(list->slot())] = list; }
    void Detach(ResultSlot slot) { lists_[static_cast<std::size_t>(slot)] = nullptr; }
    // Told after a list was renumbered (its view's row count needs updating).
    std::function<void(ResultSlot)> onRenumbered;

    bool hasList(ResultSlot slot) const override { return list(slot) != nullptr; }
    std::size_t size(ResultSlot slot) const override;
    const ItemHead* entry(ResultSlot slot, std::size_t index) const override;
    void clearEntry(ResultSlot slot, std::size_t index) override;
    void renumber(ResultSlot slot) noexcept override;

private:
    TResultList* list(ResultSlot slot) const { return lists_[static_cast<std::size_t>(slot)]; }
    TResultList* lists_[3] = {nullptr, nullptr, nullptr};
};

// Going from a hit to its place in the catalog (the main window's GoToItem).
class IItemLocator {
public:
    virtual ~IItemLocator() = default;
    virtual void GoToItem(ItemHead& item) = 0;
};

// Locate in Catalog on the focused row; false when there is nothing to go to.
bool LocateFoundItem(const TResultList& list, std::optional<std::size_t> focused, IItemLocator& locator);

}  // namespace kv
