// The maintenance commands in the main window: a disk dragged onto another
// catalog in the tree moves there, saved with every record it had.
#include <windows.h>

#include "catalog/file/CatalogLoad.h"
#include "tests/shell/ShellFixture.h"

namespace kv::test {
namespace {

Node* Child(Node& parent, std::string_view name) {
    for (const auto& child : parent.children())
        if (child->text() == name) return child.get();
    return nullptr;
}

TEST_F(ShellTest, ADiskDraggedOntoAnotherCatalogMovesThereWhole) {
    commandLine = {catalogFile("one.ctf"), catalogFile("two.ctf")};
    MainForm& main = makeMain();
    main.show();
    main.RunIdleOnce();
    ASSERT_EQ(main.forest().roots().size(), 2u);
    Node& one = *main.forest().roots()[0];
    Node& two = *main.forest().roots()[1];
    Node* disk = Child(one, "D");
    ASSERT_TRUE(disk);
    ui::TreeView& tree = main.browse().tree().control();
    main.browse().tree().expand(two);
    ui::Application::instance().processMessages();
    auto screenPointOf = [&](Node& node) {
        const RECT r = tree.itemRect(&node);
        POINT p{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
        ClientToScreen(tree.hwnd(), &p);
        return p;
    };
    // Its own catalog takes no drop.
    tree.onStartDrag(tree, disk);
    main.browse().drag().move(screenPointOf(one));
    EXPECT_NE(main.browse().drag().acceptingTarget(), tree.hwnd());
    main.browse().drag().drop(screenPointOf(one));
    EXPECT_EQ(disk->parent(), &one);

    tree.onStartDrag(tree, disk);
    main.browse().drag().move(screenPointOf(two));
    EXPECT_EQ(main.browse().drag().acceptingTarget(), tree.hwnd());
    main.browse().drag().drop(screenPointOf(two));

    EXPECT_EQ(Child(one, "D"), nullptr);
    Node* moved = Child(two, "D (2)");
    ASSERT_TRUE(moved);
    EXPECT_TRUE(RecordAs<TCatalogRec>(one.record())->modified);
    EXPECT_TRUE(RecordAs<TCatalogRec>(two.record())->modified);
    Node* a = Child(*moved, "A");
    ASSERT_TRUE(a);
    LoadFileList(a);
    auto* folder = RecordAs<TFolderRec>(a->record());
    ASSERT_EQ(folder->files.size(), 2u);
    EXPECT_EQ(folder->diskNode, moved);
    EXPECT_EQ(std::string(folder->files.first()->name()), "a1.txt");
    ASSERT_TRUE(Child(*a, "B"));
    EXPECT_TRUE(Child(*Child(*a, "B"), "C"));
}

}  // namespace
}  // namespace kv::test
