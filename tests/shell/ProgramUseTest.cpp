// The real program used as a user uses it: keys and clicks posted to its
// windows go through its message loop, and what it did is read from outside
// (its windows, its list's rows, the files it wrote).
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "shell/settings/SettingsStore.h"
#include "tests/shell/ProgramRun.h"
#include "tests/shell/ShellFixture.h"
#include "tests/support/TempDir.h"

namespace kv::test {
namespace {

class ProgramUseTest : public ::testing::Test {
protected:
    ProgramUseTest() {
        DeleteShellTestKey();
        SetEnvironmentVariableA("KORVALDER_KEY", kShellTestKey);
    }
    ~ProgramUseTest() override {
        SetEnvironmentVariableA("KORVALDER_KEY", nullptr);
        DeleteShellTestKey();
    }
    // A later start: no setup wizard, no tip of the day over the main window.
    void SetUp() override { settings([](Settings&) {}); }
    // The settings the program finds at its start.
    void settings(const std::function<void(Settings&)>& edit) {
        SettingsStore store(PlatformDefaults{});
        store.Update(edit);
        store.Update([](Settings& s) { s.tipsAtStart = false; });
        RegistrySectionStore registry(HKEY_CURRENT_USER, kShellTestKey);
        ASSERT_EQ(store.Save(registry), SettingsSaveResult::Saved);
    }
    // The program with "work.ctf" open, its tree and list found and the
    // catalog's disk list shown.
    void start(const std::string& args) {
        program = std::make_unique<Program>(args, dir.file(""));
        ASSERT_TRUE(program->started);
        main = WaitForWindow(kMainClass, 60000);
        ASSERT_NE(main, nullptr);
        // The window is found while it still makes its panes.
        ASSERT_TRUE(WaitUntil(
            [&] {
                tree = FindWindowExA(main, nullptr, WC_TREEVIEWA, nullptr);
                return tree && list();
            },
            30000));
    }
    void startWithCatalog() {
        WriteTestCatalog(dir.file("work.ctf"), "work");
        start("work.ctf");
        ASSERT_TRUE(WaitUntil([&] { return TreeRoots(tree) == 1 && ListCount(list()) == 1; }, 60000))
            << TreeRoots(tree) << " catalogs, " << ListCount(list()) << " rows";
    }
    // From the disk list into disk "D", then folder "A": ".. B a1.txt a2.txt".
    void openFolderA() {
        for (int rows : {3, 4}) {
            ClickFirstRow(list());
            PostKey(list(), VK_RETURN);
            ASSERT_TRUE(WaitUntil([&] { return ListCount(list()) == rows; }, 10000)) << rows;
        }
    }
    // The list's focus on row n, by a click on the first row and arrow keys.
    void focusRow(int n) {
        ClickFirstRow(list());
        for (int i = 0; i < n; ++i) PostKey(list(), VK_DOWN);
        Sleep(300);
    }
    HWND editIn(HWND control) { return FindWindowExA(control, nullptr, "Edit", nullptr); }
    void closeProgram() {
        PostMessageA(main, WM_CLOSE, 0, 0);
        EXPECT_EQ(program->exitCode(60000), std::optional<DWORD>(0));
    }

    TempDir dir;
    std::unique_ptr<Program> program;
    // The list's window is made again when its columns change: looked up each time.
    HWND list() const { return FindWindowExA(main, nullptr, WC_LISTVIEWA, nullptr); }
    HWND main = nullptr, tree = nullptr;
};

TEST_F(ProgramUseTest, F2EditsADiskRowButNothingOnAFileRow) {
    startWithCatalog();
    focusRow(0);
    PostKey(list(), VK_F2);
    ASSERT_TRUE(WaitUntil([&] { return editIn(list()) != nullptr; }, 5000));
    PostKey(editIn(list()), VK_ESCAPE);
    ASSERT_TRUE(WaitUntil([&] { return editIn(list()) == nullptr; }, 5000));

    openFolderA();
    focusRow(2);  // a1.txt
    PostKey(list(), VK_F2);
    Sleep(1000);
    EXPECT_EQ(editIn(list()), nullptr);
    EXPECT_EQ(editIn(tree), nullptr);  // not the disk above either
    EXPECT_EQ(ListCount(list()), 4);
    closeProgram();  // nothing renamed: no save question
}

TEST_F(ProgramUseTest, F3OpensTheSearchWindow) {
    startWithCatalog();
    PostKey(tree, VK_F3);
    EXPECT_TRUE(WaitUntil([&] { return ProcessWindow(*program, "Search") != nullptr; }, 20000));
    closeProgram();
}

TEST_F(ProgramUseTest, EnterOnAFileRowRunsTheDoubleClickActionAndMoveToGoesIntoAFolder) {
    settings([](Settings& s) { s.dblClick = DblClick::Properties; });
    startWithCatalog();
    openFolderA();
    focusRow(2);  // a1.txt
    PostKey(list(), VK_RETURN);
    // The file's properties open.
    HWND box = nullptr;
    ASSERT_TRUE(WaitUntil([&] { return (box = ProcessWindow(*program, "Properties")) != nullptr; }, 10000));
    PostMessageA(box, WM_CLOSE, 0, 0);
    ASSERT_TRUE(WaitUntil([&] { return ProcessWindow(*program, "Properties") == nullptr; }, 10000));
    EXPECT_EQ(ListCount(list()), 4);

    // "Move To...", the list popup's first item, on folder "B": ".. C".
    focusRow(1);
    PostKey(list(), VK_APPS);
    Sleep(500);
    PostKey(list(), VK_DOWN);
    PostKey(list(), VK_RETURN);
    EXPECT_TRUE(WaitUntil([&] { return ListCount(list()) == 2; }, 10000));
    closeProgram();
}

TEST_F(ProgramUseTest, ASaveKeepsTheOldFileAsBakWhenTheSettingIsOn) {
    settings([](Settings& s) { s.createBak = true; });
    startWithCatalog();
    const auto before = ReadFileBytes(dir.file("work.ctf"));
    // Rename the disk in place, then save at the close's question.
    focusRow(0);
    PostKey(list(), VK_F2);
    ASSERT_TRUE(WaitUntil([&] { return editIn(list()) != nullptr; }, 5000));
    SendMessageA(editIn(list()), WM_SETTEXT, 0, reinterpret_cast<LPARAM>("Renamed"));
    PostKey(editIn(list()), VK_RETURN);
    ASSERT_TRUE(WaitUntil([&] { return editIn(list()) == nullptr; }, 5000));
    PostMessageA(main, WM_CLOSE, 0, 0);
    HWND question = nullptr;
    ASSERT_TRUE(WaitUntil([&] { return (question = ProcessWindow(*program, "Confirm")) != nullptr; }, 20000));
    PostMessageA(question, WM_COMMAND, IDYES, 0);
    EXPECT_EQ(program->exitCode(60000), std::optional<DWORD>(0));
    EXPECT_EQ(ReadFileBytes(dir.file("work.BAK")), before);
    EXPECT_NE(ReadFileBytes(dir.file("work.ctf")), before);
}

}  // namespace
}  // namespace kv::test
