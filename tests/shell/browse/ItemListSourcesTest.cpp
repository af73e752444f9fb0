#include <gtest/gtest.h>

#include <vector>

#include "BrowseFixture.h"
#include "shell/browse/ItemListSources.h"

namespace kv {
namespace {

TEST(ItemListSourcesTest, RecordsOfRegisteredListsOnly) {
    test::BrowseFixture f;
    const std::vector<Node*> disks = {f.cd, f.floppy};
    std::ptrdiff_t focused = -1;
    const int mainList = 0, diskSelect = 0, unknown = 0;

    ItemListSources lists;
    lists.add(&diskSelect, ItemListKind::DiskSelect,
              RowsOf(disks, [&] { return focused; }, [](const Node* n) { return n->record(); }));
    EXPECT_EQ(lists.record(&diskSelect, 1), f.floppy->record());
    EXPECT_EQ(lists.record(&diskSelect, 2), nullptr);
    EXPECT_EQ(lists.record(&diskSelect, -1), nullptr);  // no focused row
    focused = 0;
    EXPECT_EQ(lists.record(&diskSelect, -1), f.cd->record());
    EXPECT_EQ(lists.kind(&diskSelect), ItemListKind::DiskSelect);

    EXPECT_EQ(lists.record(&unknown, 0), nullptr);
    EXPECT_EQ(lists.kind(&unknown), std::nullopt);

    // Registering again replaces; a window going takes its list along.
    lists.add(&mainList, ItemListKind::Main, [&](std::ptrdiff_t) { return f.a; });
    lists.add(&mainList, ItemListKind::Main, [&](std::ptrdiff_t) { return f.c; });
    EXPECT_EQ(lists.record(&mainList, 0), f.c);
    lists.remove(&diskSelect);
    EXPECT_EQ(lists.record(&diskSelect, 0), nullptr);
    EXPECT_EQ(lists.record(&mainList, 0), f.c);
}

}  // namespace
}  // namespace kv
