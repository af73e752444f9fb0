#pragma once
// Removing records from the result lists that show them (search results, user
// list, duplicates) when the records are freed. The lists belong to their
// windows; the model reaches them through IResultLists.
#include <cstddef>
#include <optional>

#include "catalog/model/ItemHead.h"
#include "catalog/model/ModelContext.h"

namespace kv {

class IResultLists {
public:
    virtual ~IResultLists() = default;
    // False while the window holding that list does not exist.
    virtual bool hasList(ResultSlot slot) const = 0;
    virtual std::size_t size(ResultSlot slot) const = 0;
    virtual const ItemHead* entry(ResultSlot slot, std::size_t index) const = 0;
    // Sets the entry to nullptr; the list keeps its length.
    virtual void clearEntry(ResultSlot slot, std::size_t index) = 0;
    // Drops the cleared entries and rewrites the records' index words. Runs from
    // a destructor, so it must not throw.
    virtual void renumber(ResultSlot slot) noexcept = 0;
};

// The record's position in that list, probing its index word.
std::optional<std::size_t> FindInResultList(const ModelContext& ctx, const ItemHead& rec, ResultSlot slot);
bool IsInAnyResultList(const ModelContext& ctx, const ItemHead& rec);

// Nulls the record's entry and notes that the list lost one. Nothing while the
// program closes, when the list's window does not exist or the word is not listed.
void UnlinkFromResultList(ModelContext& ctx, ItemHead& rec, ResultSlot slot);
void UnlinkFromResultLists(ModelContext& ctx, ItemHead& rec);

void ClearRemovedFlags(ModelContext& ctx);
// Renumbers each list that lost an entry; nothing while the program closes.
void RefreshResultLists(ModelContext& ctx);

// Brackets a freeing of records: clears the lost flags at the start and
// renumbers at the end. Nested batches renumber once, at the outermost end.
class ResultListBatch {
public:
    explicit ResultListBatch(ModelContext& ctx);
    ~ResultListBatch();
    ResultListBatch(const ResultListBatch&) = delete;
    ResultListBatch& operator=(const ResultListBatch&) = delete;

private:
    ModelContext& ctx_;
};

}  // namespace kv
