#include <gtest/gtest.h>

#include "search/window/CategoryChoiceList.h"
#include "tests/catalog/ModelFixture.h"

namespace kv {
namespace {

TEST(CategoryChoiceListTest, MergeKeepsMarksAndDropsUnusedEntries) {
    test::ModelFixture one;
    one.catalogRec().categories = {{"Music", 1}, {"Work", 2}};
    one.catalogRec().flagNames = {"Keep", "", ""};
    test::ModelFixture two;
    two.catalogRec().categories = {{"MUSIC", 4}};

    CategoryLists lists;
    CreateCategoryList(lists, one.forest, cp1252CaseMap());
    EXPECT_EQ(lists.categories, (std::vector<CheckEntry>{{kItemsWithoutCategory, false}, {"Music", false}, {"Work", false}}));
    lists.categories[1].checked = true;
    lists.flags[0].checked = true;

    // Catalog one is gone, two spells Music in capitals: the mark stays, Work and the flag go.
    CreateCategoryList(lists, two.forest, cp1252CaseMap());
    EXPECT_EQ(lists.categories, (std::vector<CheckEntry>{{kItemsWithoutCategory, false}, {"Music", true}}));
    EXPECT_TRUE(lists.flags.empty());
    const CategoryChoice choice = lists.Choice();
    EXPECT_EQ(choice.categories, std::vector<std::string>{"Music"});
    // Resolved for the catalog by its own code.
    EXPECT_EQ(ResolveCatalogContext(two.catalogRec(), choice, cp1252CaseMap()).categoryMask, 1u << 4);

    test::ModelFixture none;
    CreateCategoryList(lists, none.forest, cp1252CaseMap());
    EXPECT_TRUE(lists.categories.empty());
}

}  // namespace
}  // namespace kv
