// Browsing a catalog read from its file: folders and file lists come in as the
// tree and the list first need them.
#include <gtest/gtest.h>

#include "FakePorts.h"
#include "catalog/file/CatalogLoad.h"
#include "shell/browse/CatalogBrowser.h"
#include "tests/catalog/LoadFixtures.h"
#include "tests/catalog/SampleCatalog.h"

namespace kv {
namespace {

using namespace kv::test;

TEST(BrowseLoadedCatalogTest, ListsLoadWhenShownAndCellsReadTheCatalog) {
    Forest forest;
    Node* catalog = ReadCatalog(forest, load::MemoryReader(makeSampleCatalog().bytes.bytes()));
    ASSERT_TRUE(catalog);
    FakeTree tree;
    FakeList list;
    FakeTimer timer;
    FakeStatus status;
    CatalogBrowser browser(forest, BrowsePorts{tree, list, timer, status});
    tree.onSelect = [&](Node* n) { browser.treeChanged(n, true); };

    auto names = [&] {
        std::string out;
        for (const ItemHead* rec : browser.items())
            out += (out.empty() ? "" : " ") + std::string(ItemName(rec));
        return out;
    };
    auto childNamed = [](Node& parent, std::string_view name) -> Node* {
        for (const auto& child : parent.children())
            if (child->text() == name)
                return child.get();
        return nullptr;
    };
    auto row = [&](std::string_view name) {
        for (std::size_t i = 0; i < browser.items().size(); ++i)
            if (ItemName(browser.items()[i]) == name)
                return i;
        return browser.items().size();
    };

    tree.select(catalog);
    EXPECT_EQ(names(), "Empty Photos");
    Node* photos = childNamed(*catalog, "Photos");
    ASSERT_TRUE(photos);
    tree.select(photos);
    // The archive folder B sorts among the files.
    EXPECT_EQ(names(), "A a.txt B b.txt");
    EXPECT_EQ(browser.cellText(row("b.txt"), 7), "Holidays");
    EXPECT_EQ(browser.cellText(row("b.txt"), 6), "bee");
    EXPECT_EQ(browser.cellText(row("A"), 11), "Virtual Hard disk");

    Node* a = childNamed(*photos, "A");
    Node* b = childNamed(*photos, "B");
    ASSERT_TRUE(a && b);
    tree.select(b);
    EXPECT_EQ(names(), ".. d.dat");
    EXPECT_EQ(browser.cellText(1, 7), "Work");
    EXPECT_EQ(browser.cellText(1, 12), "\\B");
    EXPECT_EQ(browser.cellText(0, 6), "Back to root of Photos");

    // A's subfolder is read when A is shown.
    tree.select(a);
    EXPECT_EQ(names(), ".. A1 c.dat");
    EXPECT_EQ(browser.cellText(row("A1"), 12), "\\A");
}

}  // namespace
}  // namespace kv
