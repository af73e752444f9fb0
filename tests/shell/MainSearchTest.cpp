// The search window from the main window: a real run refuses data changes,
// and going to a hit selects it in the main window's list.
#include <windows.h>
#include <commctrl.h>

#include <chrono>
#include <thread>

#include "shell/commands/SearchRefusal.h"
#include "tests/shell/ShellFixture.h"
#include "tests/support/TestInput.h"

namespace kv::test {
namespace {

bool WaitForRun(TSearchForm& form) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(30);
    while (form.SearchRunning() && std::chrono::steady_clock::now() < deadline) {
        ui::Application::instance().processMessages();
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    ui::Application::instance().processMessages();
    return !form.SearchRunning();
}

void FindByMask(TSearchForm& form, const char* mask) {
    SearchFormValues v = form.Values();
    v.byName = true;
    v.nameMode = NameMode::Mask;
    v.nameText = mask;
    form.SetValues(v);
    form.BtnFindClick();
}

std::string CellText(HWND list, int row, int column) {
    char buf[128] = {};
    LVITEMA it{};
    it.iSubItem = column;
    it.pszText = buf;
    it.cchTextMax = sizeof buf;
    SendMessageA(list, LVM_GETITEMTEXTA, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&it));
    return buf;
}

TEST_F(ShellTest, FindSearchesTheOpenCatalogsAndGoesToAHitInTheList) {
    commandLine = {catalogFile("one.ctf")};
    MainForm& main = makeMain();
    main.RunIdleOnce();
    ASSERT_EQ(main.forest().roots().size(), 1u);
    Node& catalog = *main.forest().roots()[0];
    ASSERT_FALSE(catalog.children().empty());
    main.browse().tree().select(catalog.children()[0].get());

    main.RunCommand(CommandId::Search, CommandSource::MainMenu);
    ASSERT_TRUE(main.searchFormExists());
    TSearchForm& form = main.searchForm();
    EXPECT_TRUE(form.visible());
    FindByMask(form, "a1*");

    // The worker waits for the main thread to take its hits: the run is still on.
    ASSERT_TRUE(form.SearchRunning());
    main.UpdateCommands(kUpdateAllCommands);
    const std::size_t disks = catalog.children().size();
    main.RunCommand(CommandId::AddDisk, CommandSource::MainMenu);
    main.RunCommand(CommandId::DeleteDisk, CommandSource::MainMenu);
    // Properties change records too: refused before any window opens.
    main.RunCommand(CommandId::Properties, CommandSource::MainMenu);
    ASSERT_EQ(prompt.asked.size(), 3u);
    EXPECT_EQ(prompt.asked[0].caption, RefusalMessage(Refusal::UpdateData).caption);
    EXPECT_EQ(prompt.asked[1].caption, RefusalMessage(Refusal::RemoveDisk).caption);
    EXPECT_EQ(prompt.asked[2].caption, RefusalMessage(Refusal::UpdateData).caption);
    EXPECT_EQ(catalog.children().size(), disks);
    EXPECT_EQ(main.addDiskForm(), nullptr);

    ASSERT_TRUE(WaitForRun(form));
    ASSERT_EQ(form.NormalResults().Count(), 1u);
    // The hit's row as the main window's lists show items: all ten columns, with its icon.
    const HWND found = form.FoundList.View().hwnd();
    EXPECT_EQ(Header_GetItemCount(ListView_GetHeader(found)), 10);
    EXPECT_EQ(CellText(found, 0, 0), "a1.txt");
    EXPECT_EQ(CellText(found, 0, 1), "txt");
    EXPECT_EQ(CellText(found, 0, 5), catalog.children()[0]->text());
    LVITEMA icon{};
    icon.mask = LVIF_IMAGE;
    SendMessageA(found, LVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&icon));
    EXPECT_GE(icon.iImage, 0);
    // Idle, the status bar tells of the focused hit and of the list's rows.
    form.UpdateSearchStatus();
    EXPECT_NE(form.StatusBar.panelText(1).find("a1.txt"), std::string::npos) << form.StatusBar.panelText(1);
    EXPECT_EQ(form.StatusBar.panelText(2).rfind("Selected: 1 item", 0), 0u) << form.StatusBar.panelText(2);
    ASSERT_TRUE(form.FoundList.LocateFocused());

    // The list shows the hit's folder with the hit focused and selected.
    const HWND list = main.list.hwnd();
    const LRESULT row = SendMessageA(list, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_FOCUSED);
    ASSERT_GE(row, 0);
    EXPECT_EQ(CellText(list, static_cast<int>(row), 0), "a1.txt");
    EXPECT_EQ(SendMessageA(list, LVM_GETITEMSTATE, static_cast<WPARAM>(row), LVIS_SELECTED), LVIS_SELECTED);
    EXPECT_EQ(main.browse().tree().selected()->text(), "A");
}

// Closing a catalog whose items are listed: its rows go, the rest stay, and
// no selection mark is left on a row that now holds another record.
TEST_F(ShellTest, TheFoundListFollowsACatalogClosed) {
    commandLine = {catalogFile("one.ctf"), catalogFile("two.ctf")};
    MainForm& main = makeMain();
    main.RunIdleOnce();
    ASSERT_EQ(main.forest().roots().size(), 2u);
    main.RunCommand(CommandId::Search, CommandSource::MainMenu);
    TSearchForm& form = main.searchForm();
    FindByMask(form, "*");
    ASSERT_TRUE(WaitForRun(form));
    const std::size_t all = form.NormalResults().Count();
    Node* first = main.forest().roots()[0].get();
    std::size_t ofFirst = 0;
    for (ItemHead* item : form.NormalResults().Items())
        for (const Node* n = item->node ? item->node : nullptr; n; n = n->parent())
            ofFirst += n == first;
    const HWND found = form.FoundList.View().hwnd();
    LVITEMA select{};
    select.stateMask = select.state = LVIS_SELECTED;
    SendMessageA(found, LVM_SETITEMSTATE, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&select));

    main.browse().tree().select(first);
    main.RunCommand(CommandId::Close, CommandSource::MainMenu);
    ASSERT_EQ(main.forest().roots().size(), 1u);
    const std::size_t left = form.NormalResults().Count();
    EXPECT_LT(left, all);
    EXPECT_GE(all - left, ofFirst);
    EXPECT_EQ(ListView_GetItemCount(found), static_cast<int>(left));
    EXPECT_EQ(ListView_GetSelectedCount(found), 0u);
    EXPECT_EQ(form.StatusBar.panelText(0), "Items in list: " + std::to_string(left));
    for (std::size_t i = 0; i < left; ++i)
        ASSERT_NE(form.NormalResults().At(i), nullptr);
}

TEST_F(ShellTest, TheSearchScopeFollowsCatalogsOpenedAndDisksDeleted) {
    commandLine = {catalogFile("one.ctf")};
    MainForm& main = makeMain();
    main.RunIdleOnce();
    ASSERT_EQ(main.forest().roots().size(), 1u);
    main.RunCommand(CommandId::Search, CommandSource::MainMenu);
    TSearchForm& form = main.searchForm();
    auto scopeCount = [&] { return TreeView_GetCount(form.CatalogTree.View().hwnd()); };
    const UINT before = scopeCount();
    ASSERT_GT(before, 0u);

    main.DropFiles({catalogFile("two.ctf")});
    main.RunIdleOnce();
    ASSERT_EQ(main.forest().roots().size(), 2u);
    EXPECT_GT(scopeCount(), before);

    // A deleted disk leaves the scope tree: it must not point at a freed node.
    const UINT withTwo = scopeCount();
    Node& second = *main.forest().roots()[1];
    main.browse().tree().select(second.children()[0].get());
    prompt.answers = {ui::PromptAnswer::Ok};
    main.RunCommand(CommandId::DeleteDisk, CommandSource::MainMenu);
    ASSERT_TRUE(second.children().empty());
    EXPECT_LT(scopeCount(), withTwo);
}

// Two hits dragged with the mouse from the found list onto the user list are
// listed there; dragged again, the user list takes nothing (nothing to add).
TEST_F(ShellTest, HitsDraggedOntoTheUserListAreAddedThere) {
    commandLine = {catalogFile("one.ctf")};
    MainForm& main = makeMain();
    main.RunIdleOnce();
    main.RunCommand(CommandId::Search, CommandSource::MainMenu);
    TSearchForm& form = main.searchForm();
    FindByMask(form, "*");
    ASSERT_TRUE(WaitForRun(form));
    ASSERT_GE(form.NormalResults().Count(), 2u);
    main.RunCommand(CommandId::UserList, CommandSource::MainMenu);
    TUserListForm* userList = main.userListFormIfAny();
    ASSERT_NE(userList, nullptr);
    // Side by side, the user list right of the search window.
    RECT searchBox{};
    GetWindowRect(form.hwnd(), &searchBox);
    SetWindowPos(userList->hwnd(), HWND_TOP, searchBox.right + 10, searchBox.top, 400, 300, SWP_NOACTIVATE);
    ui::Application::instance().processMessages();

    const HWND found = form.FoundList.View().hwnd();
    // A press in a list without the focus would select only the pressed row.
    SetFocus(found);
    for (int row : {0, 1})
        ListView_SetItemState(found, row, LVIS_SELECTED, LVIS_SELECTED);
    ListView_SetItemState(found, 0, LVIS_FOCUSED, LVIS_FOCUSED);
    form.UpdateSearchStatus();
    RECT first{};
    ListView_GetItemRect(found, 0, &first, LVIR_LABEL);
    const POINT press{first.left + 5, (first.top + first.bottom) / 2};
    const HWND target = userList->UserListView.View().hwnd();
    auto drag = [&] {
        bool started = false;
        HWND accepting = nullptr;
        uitest::sendDragOnto(found, press, target, [&] {
            started = form.FoundList.Drag().dragging();
            accepting = form.FoundList.Drag().acceptingTarget();
        });
        EXPECT_TRUE(started);
        EXPECT_FALSE(form.FoundList.Drag().dragging());
        return accepting;
    };
    EXPECT_EQ(drag(), target);
    // Two items: the multi-drag cursor.
    ASSERT_NE(ui::ItemDragCursor(2), nullptr);
    EXPECT_NE(ui::ItemDragCursor(1), ui::ItemDragCursor(2));
    EXPECT_EQ(form.FoundList.Drag().acceptCursor, ui::ItemDragCursor(2));
    ASSERT_EQ(userList->List().Count(), 2u);
    for (std::size_t row = 0; row < 2; ++row)
        EXPECT_NE(form.NormalResults().At(row)->indexWord(ResultSlot::UserList), kNotListed);
    EXPECT_EQ(ListView_GetItemCount(target), 2);

    // Both are listed now: Add to User List is off, and the drag finds no place to drop.
    form.UpdateSearchStatus();
    EXPECT_EQ(drag(), nullptr);
    EXPECT_EQ(userList->List().Count(), 2u);
}

// The user closes the program while the worker waits for the main thread: the
// close waits for the search (serving its calls, which no pump inside the close
// would) and the program ends without a word.
TEST_F(ShellTest, ClosingTheProgramDuringASearchStopsItAndEnds) {
    commandLine = {catalogFile("one.ctf")};
    MainForm& main = makeMain();
    main.show();
    main.RunIdleOnce();
    ASSERT_EQ(main.forest().roots().size(), 1u);
    main.RunCommand(CommandId::Search, CommandSource::MainMenu);
    TSearchForm& form = main.searchForm();
    FindByMask(form, "*");
    ASSERT_TRUE(form.SearchRunning());

    PostMessageA(main.hwnd(), WM_CLOSE, 0, 0);
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(30);
    while (main.hwnd() && std::chrono::steady_clock::now() < deadline) {
        ui::Application::instance().processMessages();
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    EXPECT_FALSE(main.hwnd());
    EXPECT_TRUE(main.forest().roots().empty());
    // Neither "does not respond to cancel" nor "No hits".
    EXPECT_TRUE(prompt.asked.empty());
}

// The records go while the catalogs close: the found list is hidden and
// empty before the first of them does.
TEST_F(ShellTest, ClosingTheProgramWithHitsShownHidesAndClearsTheSearchWindowFirst) {
    commandLine = {catalogFile("one.ctf"), catalogFile("two.ctf")};
    MainFormServices s = services();
    bool shown = true;
    std::size_t hits = 0, rows = 0;
    s.showClosingNotice = [&] {
        shown = main->searchForm().visible();
        hits = main->searchForm().NormalResults().Count();
        rows = static_cast<std::size_t>(ListView_GetItemCount(main->searchForm().FoundList.View().hwnd()));
    };
    ui::Application::instance().setPrompt(&prompt);
    main = std::make_unique<MainForm>(s);
    ui::Application::instance().setMainForm(main.get());
    main->show();
    main->RunIdleOnce();
    ASSERT_EQ(main->forest().roots().size(), 2u);
    main->RunCommand(CommandId::Search, CommandSource::MainMenu);
    FindByMask(main->searchForm(), "*");
    ASSERT_TRUE(WaitForRun(main->searchForm()));
    ASSERT_GT(main->searchForm().NormalResults().Count(), 0u);
    ASSERT_TRUE(main->searchForm().visible());

    SendMessageA(main->hwnd(), WM_CLOSE, 0, 0);
    EXPECT_FALSE(shown);
    EXPECT_EQ(hits, 0u);
    EXPECT_EQ(rows, 0u);
    EXPECT_TRUE(main->forest().roots().empty());
}

}  // namespace
}  // namespace kv::test
