// The main window's life cycle in the test's process.
#include <windows.h>
#include <commctrl.h>
#include <shellapi.h>
#include <shlobj.h>

#include <cstring>

#include <filesystem>

#include "catalog/model/CatalogModified.h"
#include "catalog/model/ItemRecords.h"
#include "shell/app/ParamsFile.h"
#include "shell/app/ProgramValues.h"
#include "shell/app/SingleInstanceWin32.h"
#include "shell/app/SplashFormWin32.h"
#include "tests/shell/ShellFixture.h"

namespace kv::test {
namespace {

using ui::PromptAnswer;

std::vector<std::string> rootNames(MainForm& main) {
    std::vector<std::string> names;
    for (const auto& root : main.forest().roots()) names.push_back(root->text());
    return names;
}

TCatalogRec& catalogRec(Node& node) { return *RecordAs<TCatalogRec>(node.record()); }

TEST_F(ShellTest, MainWindowHasItsClassPanesAndTheUpRow) {
    MainForm& main = makeMain();
    char cls[64] = {};
    GetClassNameA(main.hwnd(), cls, sizeof cls);
    EXPECT_STREQ(cls, "Korvalder? WndClass");
    EXPECT_EQ(main.caption(), "Korvalder?");
    EXPECT_EQ(main.tree.parent(), &main);
    EXPECT_EQ(main.list.align(), ui::Align::Client);
    EXPECT_EQ(main.statusBar.align(), ui::Align::Bottom);
    EXPECT_EQ(main.splitter.neighbour(), &main.tree);
    EXPECT_EQ(GetWindowLongA(main.hwnd(), GWL_EXSTYLE) & WS_EX_ACCEPTFILES, WS_EX_ACCEPTFILES);
    ASSERT_NE(main.UpNode, nullptr);
    EXPECT_EQ(main.UpNode->text(), "..");
    EXPECT_EQ(main.UpNode->parent(), nullptr);
    EXPECT_TRUE(main.forest().roots().empty());
    EXPECT_EQ(main.AppDir.back(), '\\');
    EXPECT_TRUE(main.FirstIdle());
    EXPECT_EQ(main.Sort, (SortState{1, 1, false}));
}

TEST_F(ShellTest, AKeyWithoutTheCurrentMarkerIsWipedWithItsSubkeys) {
    struct Case {
        std::vector<std::uint8_t> marker;
        bool write, found, kept;
    } cases[] = {{{}, false, false, false}, {{1}, true, true, false}, {{2}, true, true, true}};
    for (const Case& c : cases) {
        DeleteShellTestKey();
        store.WriteString("MRUList", "F0", "old.ctf");
        store.WriteString("", "Stale", "x");
        if (c.write) store.WriteBinary("", "RevisionMarker", c.marker);
        MainForm& main = makeMain();
        EXPECT_EQ(main.MarkerFound, c.found) << c.marker.size();
        // A wiped key's recent files are gone from the menu too.
        EXPECT_EQ(main.recentFiles().list().count(), c.kept ? 1u : 0u) << c.marker.size();
        EXPECT_EQ(keyExists("MRUList"), c.kept) << c.marker.size();
        EXPECT_EQ(store.ReadString("", "Stale").has_value(), c.kept);
        this->main.reset();
    }
}

TEST_F(ShellTest, FirstStartRunsTheWizardBeforeTipsAndClosesTheSplashAtOnce) {
    SplashForm splash;
    MainFormServices s = services();
    s.splash = &splash;
    ui::Application::instance().setPrompt(&prompt);
    main = std::make_unique<MainForm>(s);
    EXPECT_FALSE(main->MarkerFound);
    main->RunIdleOnce();
    EXPECT_EQ(calls, (std::vector<std::string>{"wizard", "tips"}));
    EXPECT_EQ(splash.message(), "Done.");
    EXPECT_EQ(splash.interval(), 1u);
    EXPECT_FALSE(main->FirstIdle());
}

TEST_F(ShellTest, WindowPosIsTakenWhenUsableAndStoredAgainAtDestroy) {
    WindowPos saved{{50, 60, 500, 400}, 150, 1, {2, 7, true}};
    store.WriteBinary("", "RevisionMarker", std::vector<std::uint8_t>{2});
    WriteWindowPos(store, saved);
    MainForm& main = makeMain();
    EXPECT_EQ(main.left(), 50);
    EXPECT_EQ(main.top(), 60);
    EXPECT_EQ(main.width(), 500);
    EXPECT_EQ(main.tree.width(), 150);
    EXPECT_EQ(main.ViewStyle(), 1);
    EXPECT_EQ(main.Sort, saved.sort);
    EXPECT_EQ(GetWindowLongA(main.list.hwnd(), GWL_STYLE) & LVS_TYPEMASK, LVS_SMALLICON);

    // Minimised before it goes: the restored bounds are stored.
    main.show();
    ShowWindow(main.hwnd(), SW_MINIMIZE);
    main.destroyWindow();
    auto stored = ReadWindowPos(store);
    ASSERT_TRUE(stored);
    EXPECT_EQ(stored->bounds, saved.bounds);
    EXPECT_EQ(stored->treeWidth, 150);
    EXPECT_EQ(stored->sort, saved.sort);
}

TEST_F(ShellTest, UnusableOrWronglySizedWindowPosKeepsTheDefaults) {
    WindowPos offScreen{{30000, 30000, 500, 400}, 150, 2, {3, 3, false}};
    store.WriteBinary("", "RevisionMarker", std::vector<std::uint8_t>{2});
    WriteWindowPos(store, offScreen);
    MainForm& main = makeMain();
    EXPECT_LT(main.left(), 30000);
    // The view and sort are still taken.
    EXPECT_EQ(main.ViewStyle(), 2);
    EXPECT_EQ(main.Sort, offScreen.sort);
    this->main.reset();

    const std::vector<std::uint8_t> shortValue(29, 1);
    store.WriteBinary("", "WindowPos", shortValue);
    MainForm& again = makeMain();
    EXPECT_EQ(again.ViewStyle(), 3);
    EXPECT_EQ(again.Sort, (SortState{1, 1, false}));
}

TEST_F(ShellTest, CommandLineCatalogsOpenAndAutoloadIsSkipped) {
    commandLine = {catalogFile("one.ctf"), catalogFile("two.ctf")};
    settings.Update([&](Settings& s) {
        s.autoload = true;
        s.autoloadList = {catalogFile("auto.ctf")};
    });
    MainForm& main = makeMain();
    main.RunIdleOnce();
    EXPECT_EQ(rootNames(main), (std::vector<std::string>{"one.ctf", "two.ctf"}));
    // Two top-level items; each opened catalog shows its disk below it.
    int roots = 0;
    for (HTREEITEM item = TreeView_GetRoot(main.tree.hwnd()); item; item = TreeView_GetNextSibling(main.tree.hwnd(), item))
        ++roots;
    EXPECT_EQ(roots, 2);
    EXPECT_EQ(catalogRec(*main.forest().roots()[0]).fileName, commandLine[0]);
}

TEST_F(ShellTest, HandOverFileIsReadErasedAndOpened) {
    MainForm& main = makeMain();
    main.RunIdleOnce();
    const std::string temp = ParamsTempFolder();
    const std::string catalog = catalogFile("handed.ctf");
    ParamsFilesWin32 fs;
    ASSERT_TRUE(fs.CreateNew(ParamsFileName(temp, 4321), catalog + "\r\n"));
    SendMessageA(main.hwnd(), kPassParamsMessage, 4321, 0);
    EXPECT_EQ(rootNames(main), std::vector<std::string>{"handed.ctf"});
    EXPECT_FALSE(std::filesystem::exists(ParamsFileName(temp, 4321)));

    // Missing files and numbers out of range are ignored without a word.
    SendMessageA(main.hwnd(), kPassParamsMessage, 4321, 0);
    SendMessageA(main.hwnd(), kPassParamsMessage, 0, 0);
    SendMessageA(main.hwnd(), kPassParamsMessage, 10000, 0);
    EXPECT_TRUE(prompt.asked.empty());

    // While a search runs nothing opens, and the user is told why.
    main.searchActive = [] { return true; };
    const std::string second = catalogFile("second.ctf");
    ASSERT_TRUE(fs.CreateNew(ParamsFileName(temp, 4322), second + "\r\n"));
    SendMessageA(main.hwnd(), kPassParamsMessage, 4322, 0);
    EXPECT_EQ(main.forest().roots().size(), 1u);
    ASSERT_EQ(prompt.asked.size(), 1u);
    EXPECT_EQ(prompt.asked[0].caption, "Can't Open Catalog");
}

TEST_F(ShellTest, HandOverSenderPostsRestoreAndTheFileNumber) {
    // A window of the program's class stands in for the running instance.
    struct Receiver : ui::Form {
        std::vector<std::pair<UINT, WPARAM>> got;
        LRESULT wndProc(UINT msg, WPARAM wp, LPARAM lp) override {
            if (msg == kPassParamsMessage || (msg == WM_SYSCOMMAND && wp == SC_RESTORE)) {
                got.push_back({msg, wp});
                return 0;
            }
            return ui::Form::wndProc(msg, wp, lp);
        }
    } running;
    running.setWindowClassName("Korvalder? WndClass");
    running.createHandle();
    const std::string relative = "relative name.ctf";
    ASSERT_TRUE(FindAndHandOver({FullPathName(relative), "D:\\b.ctf"}));
    ui::Application::instance().processMessages();
    ASSERT_EQ(running.got.size(), 2u);
    EXPECT_EQ(running.got[0].first, static_cast<UINT>(WM_SYSCOMMAND));
    EXPECT_EQ(running.got[1].first, kPassParamsMessage);
    ParamsFilesWin32 fs;
    const auto names = TakeParamsFile(fs, ParamsTempFolder(), static_cast<std::int64_t>(running.got[1].second));
    ASSERT_EQ(names.size(), 2u);
    EXPECT_EQ(names[0], std::filesystem::absolute(relative).string());
    EXPECT_EQ(names[1], "D:\\b.ctf");

    // Without arguments: restored, no file.
    running.got.clear();
    ASSERT_TRUE(FindAndHandOver({}));
    ui::Application::instance().processMessages();
    ASSERT_EQ(running.got.size(), 1u);
    EXPECT_EQ(running.got[0].first, static_cast<UINT>(WM_SYSCOMMAND));
}

TEST_F(ShellTest, DroppedCatalogsOpenAndOtherFilesAreNamed) {
    MainForm& main = makeMain();
    main.RunIdleOnce();
    const std::string catalog = catalogFile("dropped.CTF");

    // Through the real message, as the shell sends it.
    std::string names = scratch.file("notes.txt") + '\0' + catalog + '\0' + '\0';
    HGLOBAL memory = GlobalAlloc(GHND, sizeof(DROPFILES) + names.size());
    auto* drop = static_cast<DROPFILES*>(GlobalLock(memory));
    drop->pFiles = sizeof(DROPFILES);
    std::memcpy(reinterpret_cast<char*>(drop) + sizeof(DROPFILES), names.data(), names.size());
    GlobalUnlock(memory);
    SendMessageA(main.hwnd(), WM_DROPFILES, reinterpret_cast<WPARAM>(memory), 0);
    EXPECT_EQ(rootNames(main), std::vector<std::string>{"dropped.CTF"});
    EXPECT_TRUE(prompt.asked.empty());

    main.DropFiles({"a.txt"});
    main.DropFiles({"a.txt", "b.doc"});
    ASSERT_EQ(prompt.asked.size(), 2u);
    EXPECT_EQ(prompt.asked[0].caption, "Invalid file");
    EXPECT_EQ(prompt.asked[0].text, "Sorry, the file you dropped does not seem to be a catalog file.");
    EXPECT_EQ(prompt.asked[1].text, "Sorry, none of files you just dropped is a valid catalog file.");

    // During a search a drop is refused like any other open.
    main.searchActive = [] { return true; };
    main.DropFiles({catalogFile("later.ctf")});
    EXPECT_EQ(main.forest().roots().size(), 1u);
    EXPECT_EQ(prompt.asked.back().caption, "Can't Open Catalog");
}

TEST_F(ShellTest, AutosaveWaitsForTheSearchAndSkipsCatalogsNeverSaved) {
    commandLine = {catalogFile("named.ctf")};
    MainForm& main = makeMain();
    main.RunIdleOnce();
    Node& named = *main.forest().roots()[0];
    Node& unnamed = main.forest().addRoot("New");
    (void)unnamed.setRecord(std::make_unique<TCatalogRec>());
    SetCatalogModified(named, true);
    SetCatalogModified(unnamed, true);
    const auto before = ReadFileBytes(commandLine[0]);

    bool searching = true;
    main.searchActive = [&] { return searching; };
    main.AutoSaveTimerTimeout();
    main.RunIdleOnce();
    EXPECT_TRUE(main.AutoSavePending());
    EXPECT_TRUE(catalogRec(named).modified);

    searching = false;
    main.RunIdleOnce();
    EXPECT_FALSE(main.AutoSavePending());
    EXPECT_FALSE(catalogRec(named).modified);
    EXPECT_TRUE(catalogRec(unnamed).modified);
    EXPECT_TRUE(prompt.asked.empty());  // no Save dialog, no message
    EXPECT_EQ(main.AutoSaveTimerInterval(), settings.Get().autoSaveMinutes * 60000u);
    EXPECT_TRUE(main.AutoSaveTimerEnabled());
    EXPECT_FALSE(ReadFileBytes(commandLine[0]).empty());
    (void)before;
}

TEST_F(ShellTest, CloseAsksForModifiedCatalogsAndAFailedSaveKeepsTheWindow) {
    commandLine = {catalogFile("work.ctf")};
    MainForm& main = makeMain();
    main.show();
    main.RunIdleOnce();
    Node& work = *main.forest().roots()[0];
    SetCatalogModified(work, true);

    prompt.answers = {PromptAnswer::Cancel};
    SendMessageA(main.hwnd(), WM_CLOSE, 0, 0);
    ASSERT_TRUE(IsWindow(main.hwnd()));
    EXPECT_EQ(main.forest().roots().size(), 1u);
    ASSERT_EQ(prompt.asked.size(), 1u);

    // Yes, but the disk is full: nothing may be closed unsaved.
    files.failAtWrite = 1;
    prompt.answers = {PromptAnswer::Yes};
    SendMessageA(main.hwnd(), WM_CLOSE, 0, 0);
    ASSERT_TRUE(IsWindow(main.hwnd()));
    EXPECT_EQ(main.forest().roots().size(), 1u);
    EXPECT_TRUE(catalogRec(work).modified);

    files.failAtWrite.reset();
    prompt.answers = {PromptAnswer::Yes};
    SendMessageA(main.hwnd(), WM_CLOSE, 0, 0);
    EXPECT_FALSE(main.hwnd());
    EXPECT_TRUE(main.forest().roots().empty());
    EXPECT_TRUE(ReadWindowPos(store).has_value());
}

}  // namespace
}  // namespace kv::test
