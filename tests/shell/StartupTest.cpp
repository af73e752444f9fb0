// Starts the real program and closes it again, as a user would. Each run
// keeps its settings under a key of its own.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "tests/shell/ProgramRun.h"
#include "tests/shell/ShellFixture.h"

namespace {

using kv::test::kShellTestKey;

using kv::test::Program;
using kv::test::kMainClass;

HWND waitForWindow(const char* cls, DWORD ms) { return kv::test::WaitForWindow(cls, ms); }

int mainWindowCount() {
    int n = 0;
    for (HWND h = FindWindowExA(nullptr, nullptr, kMainClass, nullptr); h;
         h = FindWindowExA(nullptr, h, kMainClass, nullptr))
        ++n;
    return n;
}

// Catalogs shown in the tree pane, once it has the number expected (or time is up).
unsigned waitForCatalogs(HWND main, unsigned expected, DWORD ms) {
    unsigned n = 0;
    for (DWORD waited = 0; waited <= ms; waited += 100) {
        // The main window's class is found while it is still making its panes.
        HWND tree = FindWindowExA(main, nullptr, WC_TREEVIEWA, nullptr);
        // The top-level items: an opened catalog also shows its disks.
        n = 0;
        for (HTREEITEM item = TreeView_GetRoot(tree); item; item = TreeView_GetNextSibling(tree, item))
            ++n;
        if (n == expected) break;
        Sleep(100);
    }
    return n;
}

BOOL CALLBACK findButton(HWND child, LPARAM data) {
    auto& wanted = *reinterpret_cast<std::pair<std::string, HWND>*>(data);
    char text[64] = {};
    GetWindowTextA(child, text, sizeof text);
    if (wanted.first == text) {
        wanted.second = child;
        return FALSE;
    }
    return TRUE;
}

HWND childWithText(HWND parent, const std::string& text) {
    std::pair<std::string, HWND> wanted{text, nullptr};
    EnumChildWindows(parent, findButton, reinterpret_cast<LPARAM>(&wanted));
    return wanted.second;
}

// The setup wizard of a first start, gone through to its Finish button.
bool finishWizard() {
    // The window exists before its controls: it is looked at once it shows.
    HWND wizard = nullptr;
    for (int i = 0; i < 600 && !(wizard && IsWindowVisible(wizard)); ++i, Sleep(100))
        wizard = FindWindowA("KvWizardForm", "Quick-Setup Wizard");
    if (!wizard || !IsWindowVisible(wizard)) return false;
    for (int page = 0; page < 20; ++page) {
        if (HWND finish = childWithText(wizard, "Finish")) {
            SendMessageA(finish, BM_CLICK, 0, 0);
            for (int i = 0; i < 300 && IsWindowVisible(wizard); ++i) Sleep(100);
            return !IsWindowVisible(wizard);
        }
        HWND next = childWithText(wizard, "&Next >");
        if (!next) return false;
        SendMessageA(next, BM_CLICK, 0, 0);
    }
    return false;
}

class ProgramTest : public ::testing::Test {
protected:
    ProgramTest() {
        kv::test::DeleteShellTestKey();
        SetEnvironmentVariableA("KORVALDER_KEY", kShellTestKey);
        // A program run before: no setup wizard at the start.
        kv::RegistrySectionStore(HKEY_CURRENT_USER, kShellTestKey)
            .WriteBinary("", "RevisionMarker", std::vector<std::uint8_t>{2});
    }
    ~ProgramTest() override {
        SetEnvironmentVariableA("KORVALDER_KEY", nullptr);
        kv::test::DeleteShellTestKey();
    }
    std::string catalog(const std::string& name) {
        std::string path = dir.file(name);
        kv::test::WriteTestCatalog(path, name);
        return path;
    }
    // Closes the program through its window and checks it ended well.
    void closeProgram(HWND main, const Program& p) {
        PostMessageA(main, WM_CLOSE, 0, 0);
        EXPECT_EQ(p.exitCode(60000), std::optional<DWORD>(0));
    }
    kv::test::TempDir dir;
};

TEST_F(ProgramTest, TwoCatalogsOnTheCommandLineOpenBoth) {
    catalog("first.ctf");
    const std::string second = catalog("second.ctf");
    // One name relative to the program's working folder, one absolute.
    Program p("first.ctf \"" + second + "\"", dir.file(""));
    ASSERT_TRUE(p.started);
    HWND main = waitForWindow(kMainClass, 60000);
    ASSERT_NE(main, nullptr);
    EXPECT_EQ(waitForCatalogs(main, 2, 20000), 2u);
    closeProgram(main, p);
}

TEST_F(ProgramTest, ASecondStartHandsItsCatalogOverAndEnds) {
    Program first("\"" + catalog("a.ctf") + "\"");
    HWND main = waitForWindow(kMainClass, 60000);
    ASSERT_NE(main, nullptr);
    ASSERT_EQ(waitForCatalogs(main, 1, 20000), 1u);

    catalog("b.ctf");
    Program second("b.ctf", dir.file(""));
    EXPECT_EQ(second.exitCode(30000), std::optional<DWORD>(0));
    EXPECT_EQ(mainWindowCount(), 1);
    // The relative name was made whole before it travelled.
    EXPECT_EQ(waitForCatalogs(main, 2, 20000), 2u);
    closeProgram(main, first);
}

TEST_F(ProgramTest, TwoStartsAtTheSameMomentLeaveOneInstanceWithBothCatalogs) {
    const std::string a = catalog("a.ctf"), b = catalog("b.ctf");
    Program one("\"" + a + "\""), two("\"" + b + "\"");
    HWND main = waitForWindow(kMainClass, 60000);
    ASSERT_NE(main, nullptr);
    // One of them hands over and ends.
    bool oneEnded = false;
    for (int i = 0; i < 300 && !oneEnded; ++i) {
        oneEnded = one.exitCode(0) || two.exitCode(0);
        if (!oneEnded) Sleep(100);
    }
    EXPECT_TRUE(oneEnded);
    EXPECT_EQ(mainWindowCount(), 1);
    EXPECT_EQ(waitForCatalogs(main, 2, 20000), 2u);
    closeProgram(main, one.exitCode(0) ? two : one);
}

TEST_F(ProgramTest, AnOldRevisionMarkerWipesTheKeyAndTheWindowPlaceIsSaved) {
    kv::RegistrySectionStore store(HKEY_CURRENT_USER, kShellTestKey);
    store.WriteBinary("", "RevisionMarker", std::vector<std::uint8_t>{1});
    store.WriteString("MRUList", "F0", "old.ctf");
    Program p("");
    HWND main = waitForWindow(kMainClass, 60000);
    ASSERT_NE(main, nullptr);
    closeProgram(main, p);
    EXPECT_FALSE(store.SectionExists("MRUList"));
    auto pos = store.ReadBinary("", "WindowPos");
    ASSERT_TRUE(pos);
    EXPECT_EQ(pos->size(), 30u);
}

TEST_F(ProgramTest, AFirstStartRunsTheSetupWizardWhoseFinishWritesTheSettings) {
    kv::test::DeleteShellTestKey();
    Program p("");
    HWND main = waitForWindow(kMainClass, 60000);
    ASSERT_NE(main, nullptr);
    ASSERT_TRUE(finishWizard());
    kv::RegistrySectionStore store(HKEY_CURRENT_USER, kShellTestKey);
    EXPECT_EQ(store.ReadBinary("", "RevisionMarker"), std::vector<std::uint8_t>{2});
    EXPECT_TRUE(store.ReadBinary("", "Settings"));
    EXPECT_TRUE(store.ReadString("", "CatalogDir"));
    closeProgram(main, p);
}

TEST_F(ProgramTest, MainWindowOpensWithItsClassAndCaptionAndClosesCleanly) {
    Program p("");
    ASSERT_TRUE(p.started);
    HWND main = waitForWindow(kMainClass, 60000);
    ASSERT_NE(main, nullptr);
    char caption[64] = {};
    GetWindowTextA(main, caption, sizeof caption);
    EXPECT_STREQ(caption, "Korvalder?");
    closeProgram(main, p);

    // A first start writes the program's own folder as the catalog folder and
    // the system's fonts into the slots without a custom font.
    kv::RegistrySectionStore store(HKEY_CURRENT_USER, kShellTestKey);
    char exe[MAX_PATH] = {};
    GetFullPathNameA(KV_KORVALDER_EXE, MAX_PATH, exe, nullptr);
    std::string folder(exe);
    folder.resize(folder.find_last_of('\\') + 1);
    const std::optional<std::string> catalogDir = store.ReadString("", "CatalogDir");
    ASSERT_TRUE(catalogDir);
    EXPECT_EQ(_stricmp(catalogDir->c_str(), folder.c_str()), 0) << *catalogDir << " / " << folder;
    for (const char* slot : {"Font0", "Font1", "Font3", "Font4"}) {
        const auto font = store.ReadBinary("", slot);
        ASSERT_TRUE(font && font->size() > 6) << slot;
        EXPECT_GT((*font)[5], 0) << slot;  // the face's length
    }
}

TEST(Startup, ProgramCarriesItsIconsInBothSizes) {
    HMODULE exe = LoadLibraryExA(KV_KORVALDER_EXE, nullptr, LOAD_LIBRARY_AS_DATAFILE);
    ASSERT_NE(exe, nullptr);
    for (int size : {16, 32}) {
        HICON icon = static_cast<HICON>(LoadImageA(exe, MAKEINTRESOURCEA(1), IMAGE_ICON, size, size, 0));
        ASSERT_NE(icon, nullptr) << size;
        ICONINFO info{};
        ASSERT_TRUE(GetIconInfo(icon, &info));
        BITMAP bm{};
        GetObjectA(info.hbmColor, sizeof bm, &bm);
        EXPECT_EQ(bm.bmWidth, size);
        DeleteObject(info.hbmColor);
        DeleteObject(info.hbmMask);
        DestroyIcon(icon);
    }
    FreeLibrary(exe);
}

}  // namespace
