#pragma once
// The category page's two check lists, merged in place from the open catalogs
// so that the marks of entries that stay are kept.
#include <string>
#include <vector>

#include "base/text/AnsiCase.h"
#include "catalog/model/Forest.h"
#include "search/engine/SearchScope.h"
#include "system/SystemCaseMap.h"

namespace kv {

inline constexpr const char* kItemsWithoutCategory = "(Items without category)";

struct CheckEntry {
    std::string name;
    bool checked = false;
    friend bool operator==(const CheckEntry&, const CheckEntry&) = default;
};

struct CategoryLists {
    // Entry 0 is "(Items without category)" whenever the list is not empty.
    std::vector<CheckEntry> categories;
    std::vector<CheckEntry> flags;

    // What a run captures of the marks.
    CategoryChoice Choice() const;
};

// Names compare ignoring ANSI case; new entries start unchecked; entries no open
// catalog uses go, and a list left with only "(Items without category)" is cleared.
void CreateCategoryList(CategoryLists& lists, const Forest& forest, const CaseMap& caseMap = systemCaseMap());

}  // namespace kv
