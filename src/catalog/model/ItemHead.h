#pragma once
// The common start of every item record: flags, the three list index words and
// the tree node. Result lists hold pointers to it.
#include <array>
#include <cstdint>

#include "catalog/model/ItemFlags.h"
#include "catalog/model/ListIndex.h"

namespace kv {

class Node;

// The list index slots: search results, user list, duplicates.
enum class ResultSlot : std::uint8_t { Search = 0, UserList = 1, Duplicates = 2 };
inline constexpr std::array<ResultSlot, 3> kResultSlots = {ResultSlot::Search, ResultSlot::UserList,
                                                           ResultSlot::Duplicates};

struct ItemHead {
    ItemFlagsByte flags;
    std::array<std::uint16_t, 3> listIndex = {kNotListed, kNotListed, kNotListed};
    // The record's tree node; on a file record the node of the folder or disk owning it.
    Node* node = nullptr;

    std::uint8_t kind() const { return GetItemKind(flags); }
    std::uint16_t& indexWord(ResultSlot slot) { return listIndex[static_cast<std::size_t>(slot)]; }
    std::uint16_t indexWord(ResultSlot slot) const { return listIndex[static_cast<std::size_t>(slot)]; }

protected:
    explicit ItemHead(std::uint8_t initialFlags) : flags(initialFlags) {}
    ItemHead(const ItemHead&) = default;
    ItemHead& operator=(const ItemHead&) = default;
    ~ItemHead() = default;
};

// Checked downcast from a head: nullptr when the kind does not fit.
template <class T>
T* RecordAs(ItemHead* head) {
    return head && T::matchesKind(head->kind()) ? static_cast<T*>(head) : nullptr;
}

template <class T>
const T* RecordAs(const ItemHead* head) {
    return head && T::matchesKind(head->kind()) ? static_cast<const T*>(head) : nullptr;
}

}  // namespace kv
