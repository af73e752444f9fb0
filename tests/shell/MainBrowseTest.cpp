// Browsing in the main window: a catalog from the command line in the tree,
// the selected node's contents in the list.
#include <windows.h>
#include <commctrl.h>

#include "shell/settings/SettingsStore.h"
#include "tests/shell/ShellFixture.h"
#include "tests/support/TestInput.h"

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

std::vector<int> ColumnOrder(ui::TExtListView& list) {
    std::vector<int> order(static_cast<std::size_t>(list.ColumnCount()));
    SendMessageA(list.hwnd(), LVM_GETCOLUMNORDERARRAY, order.size(), reinterpret_cast<LPARAM>(order.data()));
    return order;
}

int ColumnWidth(ui::TExtListView& list, int column) {
    return static_cast<int>(SendMessageA(list.hwnd(), LVM_GETCOLUMNWIDTH, static_cast<WPARAM>(column), 0));
}

ui::TDockToolbarButton* SortButton(MainForm& main, const char* name) {
    for (ui::Control* control : main.toolbars().Toolbar.controlOrder())
        if (control->Name == name)
            return dynamic_cast<ui::TDockToolbarButton*>(control);
    return nullptr;
}

class BrowsingTest : public ShellTest {
protected:
    // The main window with one catalog opened from the command line; its node.
    Node* openCatalog() {
        commandLine = {catalogFile("one.ctf")};
        makeMain().RunIdleOnce();
        return main->forest().roots().size() == 1 ? main->forest().roots()[0].get() : nullptr;
    }
};

TEST_F(BrowsingTest, TheKeptColumnLayoutsAreAppliedWhenTheListSwitchesAndStoredBack) {
    store.WriteBinary("", "RevisionMarker", std::vector<std::uint8_t>{2});
    ColumnsRecord files = DefaultColumnsRecord(ColumnsList::MainFiles);
    std::swap(files.order[0], files.order[1]);
    files.visible[2] = 0;  // "Size"
    WriteColumnsRecord(store, ColumnsList::MainFiles, files);
    Node* opened = openCatalog();
    ASSERT_TRUE(opened);
    Node& catalog = *opened;
    MainForm& main = *this->main;
    EXPECT_EQ(ColumnOrder(main.list), (std::vector<int>{0, 1, 2, 3, 4, 5, 6}));

    main.browse().tree().select(Child(catalog, "D"));
    EXPECT_EQ(ColumnOrder(main.list), (std::vector<int>{1, 0, 2, 3, 4, 5, 7, 6}));
    EXPECT_EQ(ColumnWidth(main.list, 2), 0);
    EXPECT_GT(ColumnWidth(main.list, 0), 0);
    EXPECT_GT(ColumnWidth(main.list, 7), 0);

    // The user moves a column and hides another; leaving the file list reads
    // that back, coming back applies it, and the close stores it.
    const std::vector<int> moved = {7, 1, 0, 2, 3, 4, 5, 6};
    SendMessageA(main.list.hwnd(), LVM_SETCOLUMNORDERARRAY, moved.size(), reinterpret_cast<LPARAM>(moved.data()));
    main.list.SetColumnWidth(4, 0);
    main.browse().tree().select(&catalog);
    EXPECT_EQ(main.list.ColumnCount(), 7);
    main.browse().tree().select(Child(catalog, "D"));
    EXPECT_EQ(ColumnOrder(main.list), moved);
    EXPECT_EQ(ColumnWidth(main.list, 4), 0);
    EXPECT_EQ(ColumnWidth(main.list, 2), 0);
    EXPECT_GT(ColumnWidth(main.list, 7), 0);
    main.list.SetColumnWidth(4, 60);
    this->main.reset();

    const ColumnsRecord stored = ReadColumnsRecord(store, ColumnsList::MainFiles);
    EXPECT_EQ(std::vector<int>(stored.order.begin(), stored.order.begin() + 8), moved);
    // Position 3 shows "Size" (hidden), position 6 "Time" (shown again).
    EXPECT_EQ(std::vector<int>(stored.visible.begin(), stored.visible.begin() + 8),
              (std::vector<int>{1, 1, 1, 0, 1, 1, 1, 1}));
    EXPECT_EQ(ReadColumnsRecord(store, ColumnsList::MainDisks), DefaultColumnsRecord(ColumnsList::MainDisks));
}

TEST_F(BrowsingTest, SortCommandsSortAndShowTheSortInForce) {
    Node* opened = openCatalog();
    ASSERT_TRUE(opened);
    Node& catalog = *opened;
    MainForm& main = *this->main;
    ui::TDockToolbarButton* byName = SortButton(main, "ButtonSort1");
    ui::TDockToolbarButton* second = SortButton(main, "ButtonSort2");
    ui::TDockToolbarButton* reverse = SortButton(main, "ButtonReverseSort");
    ASSERT_TRUE(byName && second && reverse);
    ui::MenuItem* last = main.mainMenu.Items().Find("MenuSort8");
    ASSERT_TRUE(last);

    // The disk list: its captions and hints, no eighth item.
    EXPECT_EQ(main.commandStates()[CommandId::Sort2].caption, "Arrange by &Media Type");
    EXPECT_EQ(second->hint, "Sort by Media Type");
    EXPECT_FALSE(last->Visible());
    EXPECT_TRUE(byName->down());

    Node* a = Child(*Child(catalog, "D"), "A");
    main.browse().tree().select(a);
    EXPECT_EQ(main.commandStates()[CommandId::Sort2].caption, "Arrange by &Extension");
    EXPECT_EQ(second->hint, "Sort by Extension");
    EXPECT_TRUE(last->Visible());
    EXPECT_EQ(Names(main.list), ".. B a1.txt a2.txt");

    main.RunCommand(CommandId::ReverseSort, CommandSource::Toolbar);
    EXPECT_EQ(Names(main.list), ".. a2.txt a1.txt B");
    EXPECT_TRUE(reverse->down());
    EXPECT_TRUE(main.commandStates()[CommandId::ReverseSort].checked);

    // By extension, then the column in force again changes nothing.
    main.RunCommand(CommandId::Sort2, CommandSource::MainMenu);
    EXPECT_EQ(main.browse().browser().sortColumn(), 1);
    EXPECT_TRUE(main.commandStates()[CommandId::Sort2].checked);
    EXPECT_FALSE(main.commandStates()[CommandId::Sort1].checked);
    EXPECT_TRUE(second->down());
    EXPECT_FALSE(byName->down());
    EXPECT_EQ(Names(main.list), ".. a2.txt a1.txt B");
    main.RunCommand(CommandId::Sort2, CommandSource::Toolbar);
    EXPECT_EQ(main.browse().browser().sortColumn(), 1);
    EXPECT_TRUE(main.browse().browser().sortReverse());

    // A header click shows in the commands too.
    NMLISTVIEW click{};
    click.hdr = {main.list.hwnd(), main.list.id(), LVN_COLUMNCLICK};
    click.iSubItem = 0;
    SendMessageA(main.hwnd(), WM_NOTIFY, click.hdr.idFrom, reinterpret_cast<LPARAM>(&click));
    EXPECT_TRUE(main.commandStates()[CommandId::Sort1].checked);
    EXPECT_TRUE(byName->down());

    // The disk list keeps its own column.
    main.browse().tree().select(&catalog);
    EXPECT_EQ(main.browse().browser().sortColumn(), 0);
}

TEST_F(BrowsingTest, TheArchiveSortSettingResortsTheList) {
    Node* catalog = openCatalog();
    ASSERT_TRUE(catalog);
    MainForm& main = *this->main;
    Node* disk = Child(*catalog, "D");
    ASSERT_TRUE(disk);
    RecordAs<TFolderRec>(Child(*disk, "A")->record())->flags |= ItemFlags::Archive;
    settings.Update([](Settings& s) { s.archivesAsFolders = true; });
    ApplySettings(settings.Get(), main);
    main.browse().tree().select(disk);
    EXPECT_EQ(Names(main.list), "A A2 root.txt");

    settings.Update([](Settings& s) { s.archivesAsFolders = false; });
    ApplySettings(settings.Get(), main);
    EXPECT_EQ(Names(main.list), "A2 A root.txt");  // the archive among the files
    settings.Update([](Settings& s) { s.archivesAsFolders = true; });
    ApplySettings(settings.Get(), main);
    EXPECT_EQ(Names(main.list), "A A2 root.txt");
}

TEST_F(BrowsingTest, EveryItemListGivesTheRecordsOfItsRows) {
    Node* opened = openCatalog();
    ASSERT_TRUE(opened);
    Node& catalog = *opened;
    MainForm& main = *this->main;
    Node* disk = Child(catalog, "D");
    main.browse().tree().select(disk);
    const ItemList& rows = main.browse().browser().items();
    ASSERT_EQ(rows.size(), 3u);
    EXPECT_EQ(main.GetListItemRecord(main.list, 2), rows[2]);
    EXPECT_EQ(main.GetListItemRecord(main.list, 3), nullptr);
    EXPECT_EQ(main.GetListItemRecord(main.list, -1), nullptr);
    main.browse().list().focusRow(1, false);
    EXPECT_EQ(main.GetListItemRecord(main.list, -1), rows[1]);
    EXPECT_EQ(main.ItemListKindOf(main.list), ItemListKind::Main);

    // The search window's found list, once the window exists.
    ui::TExtListView other;
    EXPECT_EQ(main.GetListItemRecord(other, 0), nullptr);
    TSearchForm& search = main.searchForm();
    search.NormalResults().Append(*disk->record());
    search.FoundList.SetList(&search.NormalResults());
    EXPECT_EQ(main.GetListItemRecord(search.FoundList.View(), 0), disk->record());
    EXPECT_EQ(main.GetListItemRecord(search.FoundList.View(), 1), nullptr);
    EXPECT_EQ(main.ItemListKindOf(search.FoundList.View()), ItemListKind::SearchResults);

    // The disk selection, while registered.
    TDiskSelectForm select(DiskColumns{}, prompt);
    select.Candidates = {disk};
    main.RegisterDiskSelectList(select);
    EXPECT_EQ(main.GetListItemRecord(select.DisksListView, 0), disk->record());
    main.UnregisterItemList(select.DisksListView);
    EXPECT_EQ(main.GetListItemRecord(select.DisksListView, 0), nullptr);
    search.NormalResults().ClearSearchResults();
}

TEST_F(BrowsingTest, ColumnsSetupMovesAndHidesAColumnThatARestartShowsTheSame) {
    store.WriteBinary("", "RevisionMarker", std::vector<std::uint8_t>{2});
    Node* opened = openCatalog();
    ASSERT_TRUE(opened);
    main->browse().tree().select(Child(*opened, "D"));
    ASSERT_EQ(main->list.ColumnCount(), 8);
    bool driven = false;
    uitest::TimerAction edit(100, [&] {
        auto* form = dynamic_cast<TColumnsForm*>(ui::Wnd::fromHandle(FindWindowA("KvColumnsForm", nullptr)));
        ASSERT_TRUE(form);
        EXPECT_EQ(form->ListCombo.itemIndex(), ColumnsList::MainFiles);
        form->ColumnsBox.setItemIndex(0);
        form->DownBtn.click();  // "Ext" first
        form->ColumnsBox.setChecked(3, false);  // "Date"
        form->ColumnsBox.onClickCheck(form->ColumnsBox, 3);
        form->OKBtn.click();
        driven = true;
    });
    main->RunCommand(CommandId::ColumnsSetup, CommandSource::MainMenu);
    ASSERT_TRUE(driven);
    const std::vector<int> expected = {1, 0, 2, 3, 4, 5, 7, 6};
    EXPECT_EQ(ColumnOrder(main->list), expected);
    EXPECT_EQ(ColumnWidth(main->list, 3), 0);
    EXPECT_GT(ColumnWidth(main->list, 0), 0);
    main.reset();

    opened = openCatalog();
    ASSERT_TRUE(opened);
    main->browse().tree().select(Child(*opened, "D"));
    EXPECT_EQ(ColumnOrder(main->list), expected);
    EXPECT_EQ(ColumnWidth(main->list, 3), 0);
    EXPECT_GT(ColumnWidth(main->list, 1), 0);
}

}  // namespace
}  // namespace kv::test
