#pragma once
// The item tests of a normal search: every condition that applies to an item
// counts as passed or failed; the item matches when all passed (or, in "any"
// mode, when one did). An item no condition applies to never matches.
#include <string_view>
#include <vector>

#include "base/text/AnsiCase.h"
#include "base/text/Wildcard.h"
#include "catalog/model/ItemRecords.h"
#include "search/engine/SearchCriteria.h"
#include "search/engine/SearchScope.h"
#include "system/SystemCaseMap.h"

namespace kv {

class ItemMatcher {
public:
    // Keeps references: criteria and caseMap must outlive the matcher.
    explicit ItemMatcher(const TSearchCriteria& criteria, const CaseMap& caseMap = systemCaseMap());

    bool MatchFileItem(const TFileRec& file, const CatalogContext& catalog) const;
    // The folder's name is its node's text.
    bool MatchFolderItem(const TFolderRec& folder, std::string_view name, const CatalogContext& catalog) const;
    bool MatchDiskItem(const TDiskRec& disk, std::string_view name) const;

    // The name condition alone; true when the search is not by name.
    bool NameMatches(std::string_view name) const;

private:
    struct Counter;
    void CountAttributes(Counter& c, std::uint8_t attributes) const;
    void CountDescription(Counter& c, std::string_view description) const;
    void CountCategory(Counter& c, std::uint8_t categoryByte, const CatalogContext& catalog) const;
    void CountDates(Counter& c, bool member, std::uint32_t created, std::uint32_t modified,
                    std::uint32_t accessed) const;

    const TSearchCriteria& criteria_;
    const CaseMap& caseMap_;
    // A mask list matches when any of its masks does; most lists hold one.
    WildcardMask mask_;
    std::vector<WildcardMask> moreMasks_;
    bool datesActive_;
    // Part of name: no byte but the pattern's first folds to it.
    bool partFirstExact_ = false;
};

}  // namespace kv
