#pragma once
// The one order of item records for every item list, by a column kind and a
// direction. Its parameters travel with each sort, so a sort started while
// another one pumps messages cannot change the first one's order.
//
// The order is not a strict weak ordering for damaged records (a time that is
// no time compares equal to everything), so it goes only to SortItemList,
// never to std::sort.
#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>

#include "catalog/model/ItemHead.h"
#include "shell/browse/ItemCells.h"
#include "shell/browse/ItemColumns.h"

namespace kv {

// The locale's case-insensitive text order: negative, zero or positive.
class TextCollator {
public:
    virtual ~TextCollator() = default;
    virtual int compare(std::string_view a, std::string_view b) const = 0;
    // A key whose bytes, compared unsigned, give the order of compare; none
    // when the collator cannot make one.
    virtual bool makesSortKeys() const { return false; }
    virtual std::string sortKey(std::string_view text) const { return std::string(text); }
};

// Upper-cases through the ANSI case map, then compares bytes.
class CaseMapCollator : public TextCollator {
public:
    int compare(std::string_view a, std::string_view b) const override;
    bool makesSortKeys() const override { return true; }
    std::string sortKey(std::string_view text) const override;
};

// For one sort: each text's key is made once and kept, so a comparison costs
// two look-ups and a byte compare instead of the locale's text compare. The
// order is the base collator's. Main thread only, like the sorts.
class SortKeyCollator : public TextCollator {
public:
    explicit SortKeyCollator(const TextCollator& base) : base_(base) {}
    int compare(std::string_view a, std::string_view b) const override;

private:
    struct Hash {
        using is_transparent = void;
        std::size_t operator()(std::string_view s) const { return std::hash<std::string_view>{}(s); }
    };
    const std::string& keyOf(std::string_view text) const;

    const TextCollator& base_;
    mutable std::unordered_map<std::string, std::string, Hash, std::equal_to<>> keys_;
};

struct SortParams {
    ItemListKind list = ItemListKind::Main;
    // The column kind; for the search and user lists the window's column, which
    // is translated per record.
    std::uint8_t column = 0;
    bool reverse = false;
    // Archive folders sort among the files (the setting "Sort archive files as
    // folders" off).
    bool archivesAsFiles = true;
    // The ".." row's record: first in either direction.
    const ItemHead* upRecord = nullptr;
    // Null: CaseMapCollator.
    const TextCollator* collator = nullptr;
    // For the columns compared by their cell text; null: portable formats.
    const CellContext* cells = nullptr;
};

// Negative when a goes first, positive when b does, 0 when equal. A catalog
// sorts before every other kind; a null entry after everything.
int CompareItems(const ItemHead* a, const ItemHead* b, const SortParams& params);

class ItemComparer {
public:
    explicit ItemComparer(const SortParams& params) : params_(params) {}
    int operator()(const ItemHead* a, const ItemHead* b) const { return CompareItems(a, b, params_); }
    const SortParams& params() const { return params_; }

private:
    SortParams params_;
};

}  // namespace kv
