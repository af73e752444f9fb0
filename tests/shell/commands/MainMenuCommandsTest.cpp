// The main window's menu commands run as the menu runs them: WM_COMMAND with
// the item's identifier, answers from scripted prompts and a timer in the
// modal loop of the text input window.
#include <windows.h>

#include <algorithm>
#include <atomic>
#include <thread>

#include <commctrl.h>

#include "base/Worker.h"
#include "catalog/model/CatalogModified.h"
#include "catalog/model/ItemRecords.h"
#include "tests/shell/ShellFixture.h"
#include "tests/support/TestInput.h"
#include "ui/Application.h"

namespace kv::test {
namespace {

using ui::PromptAnswer;

class MainMenuTest : public ShellTest {
protected:
    void command(MainForm& main, const ui::MenuItem& item) {
        SendMessageA(main.hwnd(), WM_COMMAND, MAKEWPARAM(item.Command(), 0), 0);
    }
    ui::MenuItem& fileMenu(MainForm& main) { return main.mainMenu.Items().Items(0); }
    ui::MenuItem* named(MainForm& main, const std::string& name) { return main.mainMenu.Items().Find(name); }
    // "work.ctf" opened from the command line, its node selected; null when it did not open.
    Node* openWork() {
        commandLine = {catalogFile("work.ctf")};
        MainForm& m = makeMain();
        m.RunIdleOnce();
        if (m.forest().roots().size() != 1)
            return nullptr;
        Node* catalog = m.forest().roots()[0].get();
        m.browse().tree().select(catalog);
        return catalog;
    }
    ui::MenuItem* recentEntry(MainForm& main) {
        ui::MenuItem& file = fileMenu(main);
        for (int i = 0; i < file.Count(); ++i)
            if (file.Items(i).Tag == ui::TMRUFileList::kItemTag && file.Items(i).Caption() != "-")
                return &file.Items(i);
        return nullptr;
    }
};

TEST_F(MainMenuTest, NewCatalogIsNamedThroughTheTextInputWindow) {
    MainForm& main = makeMain();
    main.RunIdleOnce();
    ASSERT_NE(named(main, "MenuSaveAs"), nullptr);
    EXPECT_FALSE(named(main, "MenuSaveAs")->Enabled());  // nothing open

    kv::uitest::TimerAction type(150, [] {
        HWND edit = GetFocus();
        SetWindowTextA(edit, "Backup CDs");
        kv::uitest::postKey(edit, VK_RETURN);
    });
    command(main, *named(main, "MenuNewCat"));
    EXPECT_TRUE(type.ran());
    ASSERT_EQ(main.forest().roots().size(), 1u);
    EXPECT_EQ(main.forest().roots()[0]->text(), "Backup CDs");
    EXPECT_TRUE(named(main, "MenuSaveAs")->Enabled());
    EXPECT_TRUE(named(main, "MenuClose")->Enabled());

    kv::uitest::TimerAction cancel(150, [] { kv::uitest::postKey(GetFocus(), VK_ESCAPE); });
    command(main, *named(main, "MenuNewCat"));
    EXPECT_TRUE(cancel.ran());
    EXPECT_EQ(main.forest().roots().size(), 1u);
}

TEST_F(MainMenuTest, CloseAsksOnlyForChangesAndTheRecentListReopens) {
    const std::string path = catalogFile("work.ctf");
    commandLine = {path};
    {
        MainForm& main = makeMain();
        main.RunIdleOnce();
        ASSERT_EQ(main.forest().roots().size(), 1u);
        // As an open through the Open dialog lists it.
        main.recentFiles().AddFile(0, path);
        ui::MenuItem* recent = recentEntry(main);
        ASSERT_NE(recent, nullptr);
        EXPECT_EQ(recent->Caption().rfind("&1 ", 0), 0u);

        // Unchanged: closed without a question.
        main.tree.select(main.forest().roots()[0].get());
        command(main, *named(main, "MenuClose"));
        EXPECT_TRUE(main.forest().roots().empty());
        EXPECT_TRUE(prompt.asked.empty());

        command(main, *recentEntry(main));
        ASSERT_EQ(main.forest().roots().size(), 1u);
        Node& reopened = *main.forest().roots()[0];

        // Changed: the save question; No closes without saving.
        SetCatalogModified(reopened, true);
        main.tree.select(&reopened);
        prompt.answers = {PromptAnswer::No};
        command(main, *named(main, "MenuClose"));
        ASSERT_EQ(prompt.asked.size(), 1u);
        EXPECT_EQ(prompt.asked[0].caption, "Confirm");
        EXPECT_TRUE(main.forest().roots().empty());
        this->main.reset();
    }
    // The list went to the registry when the window went.
    EXPECT_EQ(store.ReadString("MRUList", "F0"), path);
}

TEST_F(MainMenuTest, StatusPanelsFollowTheSelectedCatalog) {
    MainForm& main = makeMain();
    main.RunIdleOnce();
    ASSERT_EQ(main.statusBar.panelCount(), 4);
    EXPECT_EQ(main.statusBar.panelText(0), "Empty");
    EXPECT_FALSE(named(main, "MenuSave")->Enabled());

    Node& cat = main.forest().addRoot("Cat");
    (void)cat.setRecord(std::make_unique<TCatalogRec>());
    main.tree.select(&cat);
    main.UpdateCommands(CommandGroup::All);
    EXPECT_EQ(main.statusBar.panelText(0), "Loaded");
    EXPECT_EQ(main.statusBar.panelText(1), "Cat (no filename), total disks: 0");

    SetCatalogModified(cat, true);
    main.UpdateCommands(CommandGroup::Catalog);
    EXPECT_EQ(main.statusBar.panelText(0), "Modified");
    EXPECT_TRUE(named(main, "MenuSave")->Enabled());

    // A narrow window leaves no negative panel.
    main.setBounds(0, 0, 120, 200);
    EXPECT_GE(main.statusBar.panelWidth(1), 0);
    EXPECT_GE(main.statusBar.panelWidth(2), 0);
}

TEST_F(MainMenuTest, TreePopupOffersWhatTheSelectedNodeTakes) {
    MainForm& main = makeMain();
    main.RunIdleOnce();
    Node& cat = main.forest().addRoot("Cat");
    (void)cat.setRecord(std::make_unique<TCatalogRec>());
    main.tree.select(&cat);
    ASSERT_NE(main.tree.popupMenu, nullptr);
    ui::PopupMenu& popup = *main.tree.popupMenu;
    ASSERT_TRUE(popup.OnPopup);
    popup.OnPopup(popup);
    std::vector<std::string> shown;
    for (int i = 0; i < popup.Items().Count(); ++i)
        if (popup.Items().Items(i).Visible()) shown.push_back(popup.Items().Items(i).Name);
    EXPECT_NE(std::find(shown.begin(), shown.end(), "TreeMenuCloseCat"), shown.end());
    EXPECT_EQ(std::find(shown.begin(), shown.end(), "TreeMenuDeleteDisk"), shown.end());

    // Its Close Catalog closes the node it was opened on.
    ui::MenuItem* close = popup.Items().Find("TreeMenuCloseCat");
    ASSERT_NE(close, nullptr);
    close->Click();
    EXPECT_TRUE(main.forest().roots().empty());
}

TEST_F(MainMenuTest, OpenIsRefusedWhileASearchWorkerRuns) {
    MainForm& main = makeMain();
    main.RunIdleOnce();
    WorkerThread search;
    std::atomic<bool> release{false};
    search.start([&](WorkerThread&) {
        while (!release) std::this_thread::yield();
    });
    main.searchActive = [&] { return search.running(); };
    command(main, *named(main, "MenuOpen"));
    release = true;
    search.join();
    ASSERT_EQ(prompt.asked.size(), 1u);
    EXPECT_EQ(prompt.asked[0].caption, "Can't Open Catalog");
    EXPECT_EQ(prompt.asked[0].icon, ui::PromptIcon::Information);
}

// Fills in the name of the next common file dialog of this thread and presses OK.
class FileDialogAnswerer {
public:
    explicit FileDialogAnswerer(std::string path) : path_(std::move(path)) {
        current() = this;
        id_ = SetTimer(nullptr, 0, 50, &FileDialogAnswerer::tick);
    }
    ~FileDialogAnswerer() {
        if (id_) KillTimer(nullptr, id_);
        current() = nullptr;
    }
    FileDialogAnswerer(const FileDialogAnswerer&) = delete;
    FileDialogAnswerer& operator=(const FileDialogAnswerer&) = delete;
    bool answered() const { return !title.empty(); }
    std::string title;

private:
    static FileDialogAnswerer*& current() {
        static FileDialogAnswerer* answerer = nullptr;
        return answerer;
    }
    static void CALLBACK tick(HWND, UINT, UINT_PTR, DWORD) {
        FileDialogAnswerer* self = current();
        HWND dialog = self ? kv::uitest::findMessageBox() : nullptr;
        if (!dialog) return;
        KillTimer(nullptr, self->id_);
        self->id_ = 0;
        char text[256] = {};
        GetWindowTextA(dialog, text, sizeof text);
        self->title = text[0] ? text : "(untitled)";
        // The explorer-style dialog's name box, or the older edit field.
        HWND name = GetDlgItem(dialog, 1148);
        if (!name) name = GetDlgItem(dialog, 1152);
        SetWindowTextA(name, self->path_.c_str());
        PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    }
    std::string path_;
    UINT_PTR id_ = 0;
};

TEST_F(MainMenuTest, SaveAsWritesTheCatalogUnderTheNameTheDialogGets) {
    Node* opened = openWork();
    ASSERT_NE(opened, nullptr);
    MainForm& main = *this->main;
    Node& catalog = *opened;
    main.UpdateCommands(CommandGroup::All);
    const std::string copy = scratch.file("copy.ctf");

    FileDialogAnswerer answer(copy);
    command(main, *named(main, "MenuSaveAs"));
    ASSERT_TRUE(answer.answered());
    EXPECT_TRUE(prompt.asked.empty());
    const std::vector<std::uint8_t> written = ReadFileBytes(copy);
    EXPECT_FALSE(written.empty());
    EXPECT_EQ(written, ReadFileBytes(scratch.file("work.ctf")));
    EXPECT_EQ(RecordAs<TCatalogRec>(catalog.record())->fileName, copy);
    EXPECT_EQ(main.statusBar.panelText(0), "Loaded");
}

TEST_F(MainMenuTest, RenameEditsTheCatalogOrTheDiskRowAndWaitsForTheSearch) {
    Node* opened = openWork();
    ASSERT_NE(opened, nullptr);
    MainForm& main = *this->main;
    Node& catalog = *opened;

    // The tree active on a catalog: the catalog's label.
    main.tree.setFocus();
    main.UpdateCommands(CommandGroup::All);
    EXPECT_EQ(named(main, "MenuRenameItem")->Caption(), "&Rename Catalog");
    command(main, *named(main, "MenuRenameItem"));
    HWND edit = TreeView_GetEditControl(main.tree.hwnd());
    ASSERT_NE(edit, nullptr);
    char text[64] = {};
    GetWindowTextA(edit, text, sizeof text);
    EXPECT_EQ(std::string(text), catalog.text());
    TreeView_EndEditLabelNow(main.tree.hwnd(), TRUE);

    // F2 in the disk list: the focused disk row.
    main.list.setFocus();
    main.browse().list().focusRow(0, false);
    SendMessageA(main.list.hwnd(), WM_KEYDOWN, VK_F2, 0);
    EXPECT_NE(ListView_GetEditControl(main.list.hwnd()), nullptr);
    main.tree.setFocus();
    EXPECT_EQ(ListView_GetEditControl(main.list.hwnd()), nullptr);

    // The search reads the names: refused, nothing edited.
    WorkerThread search;
    std::atomic<bool> release{false};
    search.start([&](WorkerThread&) {
        while (!release) std::this_thread::yield();
    });
    main.searchActive = [&] { return search.running(); };
    command(main, *named(main, "MenuRenameItem"));
    const bool editing = TreeView_GetEditControl(main.tree.hwnd()) != nullptr;
    release = true;
    search.join();
    EXPECT_FALSE(editing);
    ASSERT_EQ(prompt.asked.size(), 1u);
    EXPECT_EQ(prompt.asked[0].caption, "Can't Update Data");
}

TEST_F(MainMenuTest, DuplicatesPicksTheSearchModeAndHelpIndexOpensTopicOne) {
    MainForm& main = makeMain();
    main.RunIdleOnce();
    Node& cat = main.forest().addRoot("Cat");
    (void)cat.setRecord(std::make_unique<TCatalogRec>());
    main.browse().tree().select(&cat);
    main.UpdateCommands(CommandGroup::All);

    command(main, *named(main, "MenuDuplicates"));
    ASSERT_TRUE(main.searchFormExists());
    EXPECT_TRUE(main.searchForm().DuplicateModeRadio.checked());
    EXPECT_FALSE(main.searchForm().NormalModeRadio.checked());
    command(main, *named(main, "MenuSearch"));
    EXPECT_TRUE(main.searchForm().NormalModeRadio.checked());
    EXPECT_FALSE(main.searchForm().DuplicateModeRadio.checked());

    ui::Application& app = ui::Application::instance();
    std::vector<std::pair<UINT, ULONG_PTR>> help;
    app.helpHandler = [&](HWND, const std::string&, UINT cmd, ULONG_PTR data) {
        help.emplace_back(cmd, data);
        return true;
    };
    command(main, *named(main, "MenuHelpIndex"));
    app.helpHandler = nullptr;
    EXPECT_EQ(help, (std::vector<std::pair<UINT, ULONG_PTR>>{{HELP_CONTEXT, 1}}));
}

TEST_F(MainMenuTest, ContextMenuKeysOpenThePopupAtTheFocusedRow) {
    ASSERT_NE(openWork(), nullptr);
    MainForm& main = *this->main;
    main.list.setFocus();
    main.browse().list().focusRow(0, false);
    RECT row{};
    row.left = LVIR_LABEL;
    SendMessageA(main.list.hwnd(), LVM_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&row));
    POINT at{row.left + 8, (row.top + row.bottom) / 2};
    ClientToScreen(main.list.hwnd(), &at);

    for (WORD key : {WORD(VK_APPS), WORD(VK_F10)}) {
        SCOPED_TRACE(key);
        RECT menu{};
        bool shown = false;
        kv::uitest::TimerAction close(300, [&] {
            if (HWND popup = FindWindowA("#32768", nullptr)) {
                shown = GetWindowRect(popup, &menu) != FALSE;
            }
            EndMenu();
        });
        if (key == VK_F10) {
            BYTE keys[256] = {};
            GetKeyboardState(keys);
            keys[VK_SHIFT] = 0x80;
            SetKeyboardState(keys);
            SendMessageA(main.list.hwnd(), WM_SYSKEYDOWN, VK_F10, 0);
            keys[VK_SHIFT] = 0;
            SetKeyboardState(keys);
        } else {
            SendMessageA(main.list.hwnd(), WM_KEYDOWN, VK_APPS, 0);
            SendMessageA(main.list.hwnd(), WM_KEYUP, VK_APPS, 0);
        }
        EXPECT_TRUE(close.ran());
        ASSERT_TRUE(shown);
        EXPECT_EQ(menu.left, at.x);
        EXPECT_EQ(menu.top, at.y);
    }
}

TEST_F(MainMenuTest, ARightClickOnATreeNodeOpensTheTreePopup) {
    Node* catalog = openWork();
    ASSERT_NE(catalog, nullptr);
    MainForm& main = *this->main;
    HWND tree = main.tree.hwnd();
    const RECT item = main.tree.itemRect(catalog);
    ASSERT_FALSE(IsRectEmpty(&item));
    const LPARAM at = MAKELPARAM((item.left + item.right) / 2, (item.top + item.bottom) / 2);
    bool shown = false;
    kv::uitest::TimerAction close(300, [&] {
        shown = FindWindowA("#32768", nullptr) != nullptr;
        EndMenu();
    });
    // The control follows the button itself until it is released.
    PostMessageA(tree, WM_RBUTTONUP, 0, at);
    SendMessageA(tree, WM_RBUTTONDOWN, MK_RBUTTON, at);
    for (int i = 0; i < 50 && !close.ran(); ++i) {
        ui::Application::instance().processMessages();
        Sleep(20);
    }
    EXPECT_TRUE(shown);
}

}  // namespace
}  // namespace kv::test
