// Browsing in the main window: a catalog from the command line in the tree,
// the selected node's contents in the list.
#include <windows.h>
#include <commctrl.h>

#include "tests/shell/ShellFixture.h"

namespace kv::test {
namespace {

std::string Cell(ui::TExtListView& list, int row, int column) {
    char buf[128] = {};
    LVITEMA it{};
    it.iSubItem = column;
    it.pszText = buf;
    it.cchTextMax = sizeof buf;
    SendMessageA(list.hwnd(), LVM_GETITEMTEXTA, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&it));
    return buf;
}

std::string Names(ui::TExtListView& list) {
    std::string out;
    const int n = static_cast<int>(SendMessageA(list.hwnd(), LVM_GETITEMCOUNT, 0, 0));
    for (int i = 0; i < n; ++i)
        out += (i ? " " : "") + Cell(list, i, 0);
    return out;
}

Node* Child(Node& parent, std::string_view name) {
    for (const auto& child : parent.children())
        if (child->text() == name)
            return child.get();
    return nullptr;
}

TEST_F(ShellTest, ACatalogFromTheCommandLineIsBrowsedInTheTreeAndTheList) {
    commandLine = {catalogFile("one.ctf")};
    MainForm& main = makeMain();
    main.RunIdleOnce();
    ASSERT_EQ(main.forest().roots().size(), 1u);
    Node& catalog = *main.forest().roots()[0];
    // The catalog opens selected and expanded: its disks in the list.
    EXPECT_EQ(main.browse().tree().selected(), &catalog);
    EXPECT_EQ(Names(main.list), "D");
    EXPECT_EQ(Cell(main.list, 0, 2), "");  // no volume label

    Node* disk = Child(catalog, "D");
    ASSERT_TRUE(disk);
    main.browse().tree().select(disk);
    EXPECT_EQ(Names(main.list), "A A2 root.txt");
    Node* a = Child(*disk, "A");
    ASSERT_TRUE(a);
    main.browse().tree().select(a);
    EXPECT_EQ(Names(main.list), ".. B a1.txt a2.txt");
    EXPECT_EQ(Cell(main.list, 0, 6), "Back to root of D");

    // Header clicks: the column in force reverses, ".." stays first.
    NMLISTVIEW click{};
    click.hdr = {main.list.hwnd(), main.list.id(), LVN_COLUMNCLICK};
    click.iSubItem = main.browse().browser().sortColumn();
    SendMessageA(main.hwnd(), WM_NOTIFY, click.hdr.idFrom, reinterpret_cast<LPARAM>(&click));
    EXPECT_EQ(Names(main.list), ".. a2.txt a1.txt B");

    // Renaming the disk in place marks the catalog modified.
    EXPECT_TRUE(main.browse().browser().treeEdited(*disk, "Backup"));
    EXPECT_EQ(disk->text(), "Backup");
    EXPECT_TRUE(RecordAs<TCatalogRec>(catalog.record())->modified);

    // ".." goes back to the disk and focuses the folder left.
    main.browse().list().focusRow(0, false);
    EXPECT_TRUE(main.browse().browser().openRow(-1));
    EXPECT_EQ(main.browse().tree().selected(), disk);
    EXPECT_EQ(Cell(main.list, static_cast<int>(main.browse().list().focusedRow()), 0), "A");
}

TEST_F(ShellTest, KeysInTheListRunTheirCommandsOnTheFocusedRow) {
    commandLine = {catalogFile("one.ctf")};
    MainForm& main = makeMain();
    main.RunIdleOnce();
    ASSERT_EQ(main.forest().roots().size(), 1u);
    Node& catalog = *main.forest().roots()[0];
    ASSERT_EQ(Names(main.list), "D");

    // Del on a disk row of the catalog's disk list deletes that disk after the question.
    main.browse().list().focusRow(0, false);
    main.UpdateCommands(kUpdateAllCommands);
    prompt.answers = {ui::PromptAnswer::Cancel};
    SendMessageA(main.list.hwnd(), WM_KEYDOWN, VK_DELETE, 0);
    ASSERT_EQ(prompt.asked.size(), 1u);
    EXPECT_EQ(catalog.children().size(), 1u);
    prompt.answers = {ui::PromptAnswer::Ok};
    SendMessageA(main.list.hwnd(), WM_KEYDOWN, VK_DELETE, 0);
    EXPECT_EQ(prompt.asked.size(), 2u);
    EXPECT_TRUE(catalog.children().empty());
    EXPECT_TRUE(RecordAs<TCatalogRec>(catalog.record())->modified);
    EXPECT_EQ(Names(main.list), "");
}

}  // namespace
}  // namespace kv::test
