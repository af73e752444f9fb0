#include "search/window/CategoryChoiceList.h"

#include <algorithm>

namespace kv {

namespace {

// Marks the name used, adding it when missing.
void use(std::vector<CheckEntry>& list, std::vector<bool>& used, const std::string& name, std::size_t from,
         const CaseMap& caseMap) {
    const std::string folded = upperCase(name, caseMap);
    for (std::size_t i = from; i < list.size(); ++i) {
        if (upperCase(list[i].name, caseMap) == folded) {
            used[i] = true;
            return;
        }
    }
    list.push_back({name, false});
    used.push_back(true);
}

void dropUnused(std::vector<CheckEntry>& list, const std::vector<bool>& used) {
    std::size_t out = 0;
    for (std::size_t i = 0; i < list.size(); ++i) {
        if (!used[i])
            continue;
        if (out != i)
            list[out] = std::move(list[i]);
        ++out;
    }
    list.resize(out);
}

}  // namespace

CategoryChoice CategoryLists::Choice() const {
    CategoryChoice choice;
    for (std::size_t i = 0; i < categories.size(); ++i) {
        if (!categories[i].checked)
            continue;
        if (i == 0)
            choice.withoutCategory = true;
        else
            choice.categories.push_back(categories[i].name);
    }
    for (const CheckEntry& f : flags) {
        if (f.checked)
            choice.flags.push_back(f.name);
    }
    return choice;
}

void CreateCategoryList(CategoryLists& lists, const Forest& forest, const CaseMap& caseMap) {
    if (lists.categories.empty())
        lists.categories.push_back({kItemsWithoutCategory, false});
    std::vector<bool> usedCategories(lists.categories.size(), false);
    usedCategories[0] = true;
    std::vector<bool> usedFlags(lists.flags.size(), false);
    for (const auto& root : forest.roots()) {
        const auto* catalog = RecordAs<TCatalogRec>(root->record());
        if (!catalog)
            continue;
        for (const CategoryEntry& entry : catalog->categories)
            use(lists.categories, usedCategories, entry.name, 1, caseMap);
        for (const std::string& flag : catalog->flagNames) {
            if (!flag.empty())
                use(lists.flags, usedFlags, flag, 0, caseMap);
        }
    }
    dropUnused(lists.categories, usedCategories);
    dropUnused(lists.flags, usedFlags);
    if (lists.categories.size() == 1)
        lists.categories.clear();
}

}  // namespace kv
