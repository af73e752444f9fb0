#include <gtest/gtest.h>

#include "search/window/ScopeModel.h"
#include "search/engine/SearchScope.h"
#include "tests/catalog/ModelFixture.h"

namespace kv {
namespace {

// Catalog "Cat" with disks D, E, F; a second catalog without disks.
struct ScopeFixture : test::ModelFixture {
    Node* e = nullptr;
    Node* f = nullptr;
    ScopeModel model;

    ScopeFixture() {
        e = &forest.addChild(*catalog, "E");
        test::Attach(*e, std::make_unique<TDiskRec>());
        f = &forest.addChild(*catalog, "F");
        test::Attach(*f, std::make_unique<TDiskRec>());
        test::Attach(forest.addRoot("Empty"), std::make_unique<TCatalogRec>());
        model.Build(forest);
    }
    static bool In(const Node* n) { return HasFlag(n->record()->flags, ItemFlags::InSearchScope); }
    ScopeState Catalog() const { return model.Catalogs()[0].state; }
};

TEST(ScopeModelTest, DisksDecideTheCatalogsState) {
    ScopeFixture s;
    ASSERT_EQ(s.model.Catalogs().size(), 1u);  // no disks, not shown
    EXPECT_EQ(s.Catalog(), ScopeState::Checked);
    EXPECT_FALSE(s.model.CanInclude());

    s.model.ToggleDisk(0, 1);
    EXPECT_EQ(s.Catalog(), ScopeState::Partly);
    EXPECT_FALSE(ScopeFixture::In(s.e));
    EXPECT_FALSE(ScopeFixture::In(s.catalog));  // only a fully checked catalog keeps its flag
    EXPECT_TRUE(s.model.CanInclude() && s.model.CanExclude());

    s.model.ToggleDisk(0, 0);
    s.model.ToggleDisk(0, 2);
    EXPECT_EQ(s.Catalog(), ScopeState::Unchecked);
    EXPECT_FALSE(s.model.CanExclude());

    s.model.ToggleDisk(0, 2);
    s.model.ToggleCatalog(0);  // partly becomes checked
    EXPECT_EQ(s.Catalog(), ScopeState::Checked);
    EXPECT_TRUE(ScopeFixture::In(s.e) && ScopeFixture::In(s.catalog));

    s.model.SetAll(false);
    EXPECT_EQ(s.Catalog(), ScopeState::Unchecked);
    s.model.SetAll(true);
    EXPECT_EQ(s.Catalog(), ScopeState::Checked);
}

TEST(ScopeModelTest, EntireTreeLeavesTheChoiceForTheNextBuild) {
    ScopeFixture s;
    s.model.ToggleDisk(0, 1);
    s.model.EnableEntireCatalogTree();
    EXPECT_EQ(s.Catalog(), ScopeState::Checked);
    EXPECT_FALSE(ScopeFixture::In(s.e));
    // A limited search takes the flags: E stays out.
    const SearchScope scope = CaptureSearchScope(s.forest, true, {}, {}, cp1252CaseMap());
    ASSERT_EQ(scope.catalogs.size(), 1u);
    EXPECT_EQ(scope.catalogs[0].disks.size(), 2u);
    s.model.Build(s.forest);
    EXPECT_EQ(s.Catalog(), ScopeState::Partly);
}

}  // namespace
}  // namespace kv
