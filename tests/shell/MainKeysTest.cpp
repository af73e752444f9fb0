// Keys, right clicks and row actions of the main window, given as a user gives
// them: keys posted to the control with the focus go through the message loop
// (and so past the menu's shortcuts), right clicks arrive as the controls'
// context-menu requests.
#include <windows.h>
#include <commctrl.h>
#include <commdlg.h>

#include "catalog/model/ItemRecords.h"
#include "shell/settings/SettingsStore.h"
#include "tests/shell/ShellFixture.h"
#include "tests/support/TempDir.h"
#include "tests/support/TestInput.h"
#include "ui/Application.h"
#include "ui/SharedImages.h"

namespace kv::test {
namespace {

std::ptrdiff_t RowOf(MainForm& main, std::string_view name) {
    const auto& items = main.browse().browser().items();
    for (std::size_t i = 0; i < items.size(); ++i)
        if (items[i] && ItemName(items[i]) == name)
            return static_cast<std::ptrdiff_t>(i);
    return -1;
}

// The items of the menu that opens while `open` runs; -1 when none opened.
int ShownMenuItems(const std::function<void()>& open) {
    int count = -1;
    kv::uitest::TimerAction look(150, [&] {
        if (HWND menu = FindWindowA("#32768", nullptr); menu && IsWindowVisible(menu)) {
            count = GetMenuItemCount(reinterpret_cast<HMENU>(SendMessageA(menu, MN_GETHMENU, 0, 0)));
            EndMenu();
        }
    });
    open();
    // No menu: the timer still has to come round.
    for (int i = 0; i < 40 && !look.ran(); ++i) {
        ui::Application::instance().processMessages();
        Sleep(10);
    }
    return count;
}

class MainKeysTest : public ShellTest {
protected:
    // "one.ctf" opened, shown and active, its disk "D" and folder "A" found.
    void open() {
        commandLine = {catalogFile("one.ctf")};
        MainForm& m = makeMain();
        m.show();
        SetForegroundWindow(m.hwnd());
        SetActiveWindow(m.hwnd());
        m.RunIdleOnce();
        ASSERT_EQ(m.forest().roots().size(), 1u);
        catalog = m.forest().roots()[0].get();
        disk = Child(*catalog, "D");
        ASSERT_NE(disk, nullptr);
        folder = Child(*disk, "A");
        ASSERT_NE(folder, nullptr);
    }
    // Posts the key to the control with the focus and lets the loop take it.
    void type(ui::Control& control, WORD key) {
        control.setFocus();
        kv::uitest::postKey(control.hwnd(), key);
        ui::Application::instance().processMessages();
    }
    void focusRow(std::string_view name) {
        const std::ptrdiff_t row = RowOf(*main, name);
        ASSERT_GE(row, 0) << name;
        main->browse().list().focusRow(static_cast<std::size_t>(row), false);
        main->UpdateCommands(kUpdateAllCommands);
    }
    bool editing() const {
        return TreeView_GetEditControl(main->tree.hwnd()) || ListView_GetEditControl(main->list.hwnd());
    }
    Node* catalog = nullptr;
    Node* disk = nullptr;
    Node* folder = nullptr;
};

TEST_F(MainKeysTest, F2EditsTheFocusedDiskRowAndNothingOnAFileRow) {
    open();
    // A file row: the menu's F2 must not rename the disk above it.
    main->browse().tree().select(folder);
    focusRow("a1.txt");
    type(main->list, VK_F2);
    EXPECT_FALSE(editing());
    EXPECT_EQ(main->browse().tree().selected(), folder);

    // A disk row of the disk list: that row's label.
    main->browse().tree().select(catalog);
    focusRow("D");
    type(main->list, VK_F2);
    EXPECT_NE(ListView_GetEditControl(main->list.hwnd()), nullptr);

    // While the editor is open the menu's shortcuts stay quiet: F3 opens no search.
    kv::uitest::postKey(ListView_GetEditControl(main->list.hwnd()), VK_F3);
    ui::Application::instance().processMessages();
    EXPECT_FALSE(main->searchFormExists());
    ListView_CancelEditLabel(main->list.hwnd());
}

TEST_F(MainKeysTest, F3OpensTheSearchWindowWhoseKeysStayItsOwn) {
    open();
    main->browse().tree().select(folder);
    type(main->tree, VK_F3);
    ASSERT_TRUE(main->searchFormExists());
    EXPECT_TRUE(main->searchForm().visible());

    // The search window active: Ctrl+A in its text box is no Add Disk.
    SetForegroundWindow(main->searchForm().hwnd());
    SetActiveWindow(main->searchForm().hwnd());
    ASSERT_EQ(GetActiveWindow(), main->searchForm().hwnd());
    EXPECT_FALSE(main->onShortcut(*main, 'A', ui::kCtrl));
    EXPECT_EQ(main->addDiskForm(), nullptr);
    EXPECT_TRUE(prompt.asked.empty());
}

TEST_F(MainKeysTest, EnterOnAFileRowRunsTheDoubleClickActionAndMoveToOpensAFolderRow) {
    open();
    main->browse().tree().select(folder);
    // "Properties" as the double-click action: the file's properties open.
    settings.Update([](Settings& s) { s.dblClick = DblClick::Properties; });
    focusRow("a1.txt");
    bool propertiesShown = false;
    std::function<void()> closeProperties;
    std::vector<std::unique_ptr<kv::uitest::TimerAction>> timers;
    closeProperties = [&] {
        HWND shown = FindWindowA("KvPropertiesForm", "Properties");
        if (shown && IsWindowVisible(shown)) {
            propertiesShown = true;
            PostMessageA(shown, WM_CLOSE, 0, 0);
            return;
        }
        timers.push_back(std::make_unique<kv::uitest::TimerAction>(30, closeProperties));
    };
    timers.push_back(std::make_unique<kv::uitest::TimerAction>(30, closeProperties));
    type(main->list, VK_RETURN);
    EXPECT_TRUE(propertiesShown);
    timers.clear();
    // "Nothing": nothing happens.
    settings.Update([](Settings& s) { s.dblClick = DblClick::Nothing; });
    type(main->list, VK_RETURN);
    EXPECT_TRUE(prompt.asked.empty());
    EXPECT_EQ(main->browse().tree().selected(), folder);

    // "Move To..." on a folder row goes into it.
    focusRow("B");
    main->RunCommand(CommandId::MoveInto, CommandSource::ListPopup);
    ASSERT_NE(main->browse().tree().selected(), nullptr);
    EXPECT_EQ(main->browse().tree().selected()->text(), "B");
}

TEST_F(MainKeysTest, RightClicksOpenTheTreePopupForNoNodeAndTheListPopupOnlyOnARow) {
    open();
    main->browse().tree().select(folder);
    // Below the last node: only "Add New Catalog" and "Open Catalog".
    RECT client = main->tree.clientRect();
    POINT empty{client.left + 10, client.bottom - 5};
    ClientToScreen(main->tree.hwnd(), &empty);
    EXPECT_EQ(ShownMenuItems([&] {
                  SendMessageA(main->hwnd(), WM_CONTEXTMENU, reinterpret_cast<WPARAM>(main->tree.hwnd()),
                               MAKELPARAM(empty.x, empty.y));
              }),
              2);

    // The list off its rows: no popup; on a row: the list popup.
    client = main->list.clientRect();
    POINT below{client.left + 10, client.bottom - 5};
    ClientToScreen(main->list.hwnd(), &below);
    EXPECT_EQ(ShownMenuItems([&] {
                  SendMessageA(main->hwnd(), WM_CONTEXTMENU, reinterpret_cast<WPARAM>(main->list.hwnd()),
                               MAKELPARAM(below.x, below.y));
              }),
              -1);
    focusRow("a1.txt");
    RECT row{};
    ListView_GetItemRect(main->list.hwnd(), RowOf(*main, "a1.txt"), &row, LVIR_LABEL);
    POINT on{row.left + 2, (row.top + row.bottom) / 2};
    ClientToScreen(main->list.hwnd(), &on);
    EXPECT_GT(ShownMenuItems([&] {
                  SendMessageA(main->hwnd(), WM_CONTEXTMENU, reinterpret_cast<WPARAM>(main->list.hwnd()),
                               MAKELPARAM(on.x, on.y));
              }),
              0);
}

// A tree move by key takes the display lock; its release may land in another
// control. The next idle tick frees it, and a click in the tree refills again.
TEST_F(MainKeysTest, ALostKeyReleaseLeavesNoDisplayLockAfterTheIdleTick) {
    open();
    main->browse().tree().select(disk);
    main->tree.setFocus();
    SendMessageA(main->tree.hwnd(), WM_KEYDOWN, VK_DOWN, 0);
    EXPECT_TRUE(main->browse().browser().displayLocked());
    main->RunIdleOnce();
    EXPECT_FALSE(main->browse().browser().displayLocked());
    main->browse().tree().select(folder);
    EXPECT_EQ(main->browse().browser().shownNode(), folder);
}

// The icon view draws the 32x32 pictures; view changes and toolbar changes
// leave nothing of the old picture.
TEST_F(MainKeysTest, TheIconViewHasLargePicturesAndLayoutChangesRepaintTheList) {
    SharedObjectsScope shared;
    open();
    EXPECT_EQ(ListView_GetImageList(main->list.hwnd(), LVSIL_NORMAL), LargeImages().handle());
    EXPECT_EQ(ListView_GetImageList(main->list.hwnd(), LVSIL_SMALL), SmallImages().handle());
    UpdateWindow(main->hwnd());
    ValidateRect(main->list.hwnd(), nullptr);
    main->RunCommand(CommandId::LargeIcons, CommandSource::MainMenu);
    EXPECT_TRUE(GetUpdateRect(main->list.hwnd(), nullptr, FALSE));
    main->RunCommand(CommandId::Details, CommandSource::MainMenu);
    UpdateWindow(main->hwnd());
    ValidateRect(main->list.hwnd(), nullptr);
    main->RunCommand(CommandId::ViewToolbar, CommandSource::MainMenu);
    EXPECT_TRUE(GetUpdateRect(main->list.hwnd(), nullptr, FALSE));
}

// The folder the system's file dialog that opens while `run` runs starts in;
// the dialog is cancelled.
std::string DialogFolder(const std::function<void()>& run) {
    std::string folder;
    kv::uitest::TimerAction look(300, [&] {
        HWND dialog = kv::uitest::findMessageBox();  // the dialog is a #32770 window too
        char path[MAX_PATH] = {};
        if (dialog && SendMessageA(dialog, CDM_GETFOLDERPATH, MAX_PATH, reinterpret_cast<LPARAM>(path)) > 0)
            folder = path;
        if (dialog)
            PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
    });
    run();
    return folder;
}

// The Open dialog and the Save dialog of a catalog never saved start in the
// catalog folder of the settings.
TEST_F(ShellTest, TheOpenAndFirstSaveDialogsStartInTheCatalogFolder) {
    TempDir catalogs;
    settings.Update([&](Settings& s) { s.catalogFolder = catalogs.file(""); });
    MainForm& main = makeMain();
    main.show();
    main.RunIdleOnce();
    std::string want = catalogs.file("");
    if (!want.empty() && want.back() == '\\')
        want.pop_back();
    auto same = [&](const std::string& folder) { return _stricmp(folder.c_str(), want.c_str()) == 0; };
    const std::string open = DialogFolder([&] { main.RunCommand(CommandId::OpenCatalog, CommandSource::MainMenu); });
    EXPECT_TRUE(same(open)) << open << " / " << want;

    Node& cat = main.forest().addRoot("Fresh");
    (void)cat.setRecord(std::make_unique<TCatalogRec>());
    main.browse().tree().select(&cat);
    main.UpdateCommands(kUpdateAllCommands);
    const std::string save = DialogFolder([&] { main.RunCommand(CommandId::SaveAs, CommandSource::MainMenu); });
    EXPECT_TRUE(same(save)) << save << " / " << want;
}

}  // namespace
}  // namespace kv::test
