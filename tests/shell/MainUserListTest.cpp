// The user list from the main window: rows added by the command and by a drop,
// removed and cleared, and emptied of a catalog's records when it closes.
#include <windows.h>
#include <commctrl.h>

#include <functional>
#include <utility>

#include "tests/shell/ShellFixture.h"
#include "tests/support/TestInput.h"

namespace kv::test {
namespace {

void SelectAllRows(HWND list) {
    SetFocus(list);
    LVITEMA state{};
    state.stateMask = LVIS_SELECTED;
    state.state = LVIS_SELECTED;
    SendMessageA(list, LVM_SETITEMSTATE, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&state));
    state.stateMask = LVIS_FOCUSED;
    state.state = LVIS_FOCUSED;
    SendMessageA(list, LVM_SETITEMSTATE, 0, reinterpret_cast<LPARAM>(&state));
}

int Rows(TUserListForm& form) {
    return static_cast<int>(SendMessageA(form.UserListView.View().hwnd(), LVM_GETITEMCOUNT, 0, 0));
}

TEST_F(ShellTest, AddToUserListCollectsRowsOnceAndClosingTheCatalogEmptiesIt) {
    commandLine = {catalogFile("one.ctf")};
    MainForm& main = makeMain();
    main.RunIdleOnce();
    ASSERT_EQ(main.forest().roots().size(), 1u);
    Node& catalog = *main.forest().roots()[0];
    main.browse().tree().select(catalog.children()[0].get());
    main.RunIdleOnce();
    const int mainRows = static_cast<int>(SendMessageA(main.list.hwnd(), LVM_GETITEMCOUNT, 0, 0));
    ASSERT_GT(mainRows, 1);

    SelectAllRows(main.list.hwnd());
    main.UpdateCommands(kUpdateAllCommands);
    ASSERT_TRUE(main.commandStates()[CommandId::AddToUserList].enabled);
    main.RunCommand(CommandId::AddToUserList, CommandSource::ListPopup);
    TUserListForm* form = main.userListFormIfAny();
    ASSERT_NE(form, nullptr);
    EXPECT_EQ(static_cast<int>(form->List().Count()), mainRows);
    EXPECT_EQ(Rows(*form), mainRows);
    // Everything selected is listed now: the command has nothing left to add.
    main.UpdateCommands(kUpdateAllCommands);
    EXPECT_FALSE(main.commandStates()[CommandId::AddToUserList].enabled);
    main.RunCommand(CommandId::AddToUserList, CommandSource::ListPopup);
    EXPECT_EQ(static_cast<int>(form->List().Count()), mainRows);
    for (std::size_t i = 0; i < form->List().Count(); ++i)
        EXPECT_EQ(form->List().Find(*form->List().At(i)), i);

    // The tree's disk is added from the tree.
    main.RunCommand(CommandId::AddToUserList, CommandSource::TreePopup);
    EXPECT_EQ(static_cast<int>(form->List().Count()), mainRows + 1);

    // A drag from the main list drops on the user list only while there is something to add.
    const HWND target = form->UserListView.View().hwnd();
    DragItems dragged;
    dragged.rows = {catalog.children()[0]->record()};
    main.UpdateCommands(kUpdateAllCommands);
    EXPECT_FALSE(main.browse().onDragOver(dragged, target, POINT{5, 5}));
    EXPECT_FALSE(main.browse().onDragOver(dragged, main.list.hwnd(), POINT{5, 5}));

    main.RunCommand(CommandId::UserList, CommandSource::MainMenu);
    EXPECT_TRUE(form->visible());
    EXPECT_EQ(form->StatusBar.panelText(0), "Total items: " + std::to_string(mainRows + 1));

    // Remove the first row (asked, Yes); a drop brings it back.
    const ItemHead* dropped = form->List().At(0);
    SelectAllRows(form->UserListView.View().hwnd());
    LVITEMA none{};
    none.stateMask = LVIS_SELECTED;
    SendMessageA(form->UserListView.View().hwnd(), LVM_SETITEMSTATE, static_cast<WPARAM>(-1),
                 reinterpret_cast<LPARAM>(&none));
    form->UserListView.Focus(0);
    const ItemHead* first = form->List().At(0);
    prompt.answers = {ui::PromptAnswer::Yes};
    form->RunUserListAction(FoundAction::Remove);
    ASSERT_FALSE(prompt.asked.empty());
    EXPECT_EQ(prompt.asked.back().text, "Remove selected item(s) from the found list?");
    EXPECT_EQ(static_cast<int>(form->List().Count()), mainRows);
    EXPECT_EQ(first->indexWord(ResultSlot::UserList), kNotListed);
    dragged.rows = {dropped};
    main.browse().onDrop(dragged, target, POINT{5, 5});
    EXPECT_EQ(static_cast<int>(form->List().Count()), mainRows + 1);
    EXPECT_NE(dropped->indexWord(ResultSlot::UserList), kNotListed);

    // Closing the catalog frees its records: none may stay listed.
    main.browse().tree().select(&catalog);
    prompt.answers = {ui::PromptAnswer::No, ui::PromptAnswer::No};
    main.RunCommand(CommandId::Close, CommandSource::MainMenu);
    ASSERT_TRUE(main.forest().roots().empty());
    EXPECT_EQ(form->List().Count(), 0u);
    EXPECT_EQ(Rows(*form), 0);
}

TEST_F(ShellTest, ClearAsksAndNoKeepsTheUserList) {
    commandLine = {catalogFile("one.ctf")};
    MainForm& main = makeMain();
    main.RunIdleOnce();
    Node& catalog = *main.forest().roots()[0];
    main.browse().tree().select(catalog.children()[0].get());
    main.RunCommand(CommandId::AddToUserList, CommandSource::TreePopup);
    TUserListForm& form = *main.userListFormIfAny();
    ASSERT_EQ(form.List().Count(), 1u);

    // Shift+Delete asks to clear the list; Ctrl+Shift+Delete only removes the selection.
    ui::TExtListView& view = form.UserListView.View();
    form.UserListView.Focus(0);
    prompt.answers = {ui::PromptAnswer::No};
    WORD key = VK_DELETE;
    view.onKeyDown(view, key, ui::kCtrl | ui::kShift);
    ASSERT_EQ(prompt.asked.size(), 1u);
    EXPECT_EQ(prompt.asked[0].text, "Remove selected item(s) from the found list?");
    prompt.asked.clear();

    prompt.answers = {ui::PromptAnswer::No};
    key = VK_DELETE;
    view.onKeyDown(view, key, ui::kShift);
    ASSERT_EQ(prompt.asked.size(), 1u);
    EXPECT_EQ(prompt.asked[0].text, "Remove all items from the user list?");
    EXPECT_EQ(prompt.asked[0].caption, "Delete all items");
    EXPECT_EQ(form.List().Count(), 1u);

    prompt.answers = {ui::PromptAnswer::Yes};
    form.RunUserListAction(FoundAction::Clear);
    EXPECT_EQ(form.List().Count(), 0u);
    EXPECT_EQ(catalog.children()[0]->record()->indexWord(ResultSlot::UserList), kNotListed);
    // An empty list has nothing to clear or report.
    EXPECT_FALSE(form.UserListButtonStates()[FoundAction::Clear]);
    EXPECT_FALSE(form.UserListButtonStates()[FoundAction::Report]);
}

// A row dragged with the mouse from the main list onto the user list is listed
// there; a drag that loses the mouse on the way lists nothing.
TEST_F(ShellTest, AMainListRowDraggedOntoTheUserListIsAddedThere) {
    commandLine = {catalogFile("one.ctf")};
    MainForm& main = makeMain();
    main.show();
    main.RunIdleOnce();
    Node& catalog = *main.forest().roots()[0];
    main.browse().tree().select(catalog.children()[0].get());
    main.RunIdleOnce();
    main.RunCommand(CommandId::UserList, CommandSource::MainMenu);
    TUserListForm& form = *main.userListFormIfAny();
    RECT box{};
    GetWindowRect(main.hwnd(), &box);
    SetWindowPos(form.hwnd(), HWND_TOP, box.right + 10, box.top, 400, 300, SWP_NOACTIVATE);
    const HWND list = main.list.hwnd();
    SetFocus(list);
    const int row = ListView_GetItemCount(list) - 1;
    ASSERT_GT(row, 0);
    // The focus selected the first row: only the last one is dragged.
    ListView_SetItemState(list, -1, 0, LVIS_SELECTED);
    ListView_SetItemState(list, row, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    main.UpdateCommands(kUpdateAllCommands);
    RECT r{};
    ListView_GetItemRect(list, row, &r, LVIR_LABEL);
    const POINT press{r.left + 5, (r.top + r.bottom) / 2};
    const HWND target = form.UserListView.View().hwnd();

    // A drag that loses the mouse ends there, its image gone and the cursor
    // back, and the button's release drops nothing.
    const std::pair<const char*, std::function<void()>> takeTheMouse[] = {
        {"another window captures it", [&] { SetCapture(form.hwnd()); }},
        {"the window's modes are cancelled", [&] { SendMessageA(main.hwnd(), WM_CANCELMODE, 0, 0); }},
        {"a message box comes up", [&] {
             uitest::MessageBoxAnswerer ok(IDOK);
             MessageBoxA(main.hwnd(), "In the way", "Test", MB_OK);
         }},
    };
    for (const auto& [how, take] : takeTheMouse) {
        SCOPED_TRACE(how);
        bool draggedWithImage = false;
        bool stillDragging = true;
        HIMAGELIST imageLeft = nullptr;
        HCURSOR cursorLeft = nullptr;
        uitest::sendDragOnto(list, press, target, [&] {
            draggedWithImage = main.browse().drag().dragging() && ImageList_GetDragImage(nullptr, nullptr);
            take();
            stillDragging = main.browse().drag().dragging();
            imageLeft = ImageList_GetDragImage(nullptr, nullptr);
            cursorLeft = GetCursor();
        });
        if (GetCapture()) ReleaseCapture();
        EXPECT_TRUE(draggedWithImage);
        EXPECT_FALSE(stillDragging);
        EXPECT_EQ(imageLeft, nullptr);
        EXPECT_EQ(cursorLeft, LoadCursor(nullptr, IDC_ARROW));
        EXPECT_EQ(form.List().Count(), 0u);
    }

    bool oneItemCursor = false;
    uitest::sendDragOnto(list, press, target,
                         [&] { oneItemCursor = main.browse().drag().acceptCursor == ui::ItemDragCursor(1); });
    EXPECT_TRUE(oneItemCursor);
    ASSERT_EQ(form.List().Count(), 1u);
    EXPECT_NE(form.List().At(0)->indexWord(ResultSlot::UserList), kNotListed);
}

// Floating, the user list's toolbar shows while the user list is the active
// window: switching to the main window or to another program hides it.
TEST_F(ShellTest, TheUserListsFloatingToolbarShowsOnlyWhileTheListIsActive) {
    MainForm& main = makeMain();
    main.show();
    main.RunCommand(CommandId::UserList, CommandSource::MainMenu);
    TUserListForm& form = *main.userListFormIfAny();
    SetActiveWindow(form.hwnd());
    form.UserListToolbar->SetDockedTo(nullptr);
    const HWND floating = form.UserListToolbar->floatingWindow();
    ASSERT_TRUE(floating);
    EXPECT_TRUE(IsWindowVisible(floating));
    SetActiveWindow(main.hwnd());
    EXPECT_FALSE(IsWindowVisible(floating));
    SetActiveWindow(form.hwnd());
    EXPECT_TRUE(IsWindowVisible(floating));
    SendMessageA(form.hwnd(), WM_ACTIVATEAPP, FALSE, 0);
    EXPECT_FALSE(IsWindowVisible(floating));
    SendMessageA(form.hwnd(), WM_ACTIVATEAPP, TRUE, 0);
    EXPECT_TRUE(IsWindowVisible(floating));
    // Closing hides the window and its toolbar; the toolbar stays "Visible".
    form.close();
    EXPECT_FALSE(IsWindowVisible(floating));
    EXPECT_TRUE(form.UserListToolbar->visible());
}

}  // namespace
}  // namespace kv::test
