#include <gtest/gtest.h>

#include "BrowseFixture.h"
#include "shell/browse/DiskDrop.h"

namespace kv {
namespace {

TEST(DiskDropTest, DisksMoveOnlyIntoAnotherCatalogWhileNoSearchRuns) {
    test::BrowseFixture f;
    Node& other = f.forest.addRoot("Other");
    test::Hang<TCatalogRec>(other);

    // A dragged disk node, or list rows that are all disks.
    const std::vector<Node*> fromTree = DraggedDisks({f.cd, {}});
    EXPECT_EQ(fromTree, std::vector<Node*>{f.cd});
    const std::vector<Node*> fromList = DraggedDisks({nullptr, {f.cd->record(), f.floppy->record()}});
    EXPECT_EQ(fromList, (std::vector<Node*>{f.cd, f.floppy}));
    EXPECT_TRUE(DraggedDisks({f.docs, {}}).empty());
    EXPECT_TRUE(DraggedDisks({nullptr, {f.cd->record(), f.a}}).empty());
    EXPECT_TRUE(DraggedDisks({nullptr, {f.cd->record(), nullptr}}).empty());
    EXPECT_TRUE(DraggedDisks({}).empty());

    EXPECT_TRUE(CanDropDisks(fromList, &other, false));
    EXPECT_FALSE(CanDropDisks(fromList, &other, true));     // a search walks the catalogs
    EXPECT_FALSE(CanDropDisks(fromList, f.catalog, false));  // their own catalog
    EXPECT_FALSE(CanDropDisks(fromList, f.cd, false));       // not a catalog
    EXPECT_FALSE(CanDropDisks(fromList, nullptr, false));
    EXPECT_FALSE(CanDropDisks({}, &other, false));
}

}  // namespace
}  // namespace kv
