// Starts the program with a catalog on a real display (tools/wine-x11-run),
// copies the main window from the screen once start-up is done, checks that
// its panes are drawn and saves the picture.
//   mainwindowshot KORVALDER.EXE OUTPUT.BMP
#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <utility>
#include <vector>

#include "catalog/file/CatalogWrite.h"
#include "tests/catalog/ModelFixture.h"
#include "tests/support/BitmapFile.h"
#include "tests/support/ScreenPicture.h"
#include "tests/support/ScreenshotRun.h"
#include "ui/Canvas.h"

namespace {

constexpr const char* kShotKey = "\\Software\\Talvenmoor\\Korvalder? Screenshot";
// A drawn window has its caption, frame, icons and texts: far more than a few colours.
constexpr std::size_t kFewestColours = 12;

void writeCatalog(const std::string& path) {
    kv::test::ModelFixture model;
    model.forest.setText(*model.catalog, "Screenshot");
    kv::FileSink sink(path);
    kv::EncodeCatalog(*model.catalog, sink);
    sink.close();
}

HWND child(HWND main, const char* cls) { return FindWindowExA(main, nullptr, cls, nullptr); }

// The toolbar's buttons between its separators, left to right, and whether each
// separator's shadow line is drawn: the groups of the designed toolbar.
int checkToolbarGroups(HWND toolbar, const kv::ui::BitmapCanvas& shot, POINT origin, bool report) {
    std::vector<std::pair<LONG, bool>> controls;  // left edge, separator
    int undrawn = 0;
    for (HWND c = GetWindow(toolbar, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) {
        if (!IsWindowVisible(c)) continue;
        char cls[64] = {};
        GetClassNameA(c, cls, sizeof cls);
        const bool separator = std::string(cls) == "KvDockToolbarSep";
        const RECT r = kv::test::RectInPicture(c, origin);
        controls.push_back({r.left, separator});
        if (separator) undrawn += kv::test::CountColourIn(shot, GetSysColor(COLOR_BTNSHADOW), r) == 0;
    }
    std::sort(controls.begin(), controls.end());
    std::vector<int> groups{0};
    for (const auto& [left, separator] : controls) {
        if (separator)
            groups.push_back(0);
        else
            ++groups.back();
    }
    const bool designed = groups == std::vector<int>{3, 5, 9, 4, 5, 2};
    if (report) {
        std::printf("toolbar groups");
        for (int g : groups) std::printf(" %d", g);
        std::printf(", %d separators not drawn\n", undrawn);
    }
    return !designed + undrawn;
}

// Problems found; none when the window is drawn: caption and frame, the tree
// with its catalog, the status bar and the list each in their place.
int check(HWND main, const kv::ui::BitmapCanvas& shot, POINT origin, bool report) {
    const std::size_t colours = kv::test::CountColours(shot);
    int problems = colours < kFewestColours;
    HWND tree = child(main, WC_TREEVIEWA), list = child(main, WC_LISTVIEWA), status = child(main, STATUSCLASSNAMEA);
    if (!tree || !list || !status) return problems + 1;
    const RECT treeRect = kv::test::RectInPicture(tree, origin);
    const RECT listRect = kv::test::RectInPicture(list, origin);
    const RECT statusRect = kv::test::RectInPicture(status, origin);
    // The catalog's name stands in the tree.
    const int treeInk = kv::test::UnlikeCorner(shot, treeRect);
    problems += treeInk == 0;
    // The panes sit side by side above the status bar.
    problems += treeRect.right > listRect.left || listRect.bottom > statusRect.top;
    // The status bar is not the list's white.
    problems += shot.pixel(statusRect.left + 2, statusRect.top + 4) == shot.pixel(listRect.left + 8, listRect.top + 8);
    // The toolbar sits in the top dock above the panes, its grip drawn.
    HWND dock = child(main, "KvDockSite");
    HWND toolbar = dock ? FindWindowExA(dock, nullptr, "KvDockToolbar", nullptr) : nullptr;
    if (!toolbar) return problems + 1;
    const RECT toolbarRect = kv::test::RectInPicture(toolbar, origin);
    problems += toolbarRect.bottom > treeRect.top || toolbarRect.bottom <= toolbarRect.top;
    problems += kv::test::UnlikeCorner(shot, toolbarRect) == 0;
    // In the designed order: its groups of buttons with the separators between them.
    problems += checkToolbarGroups(toolbar, shot, origin, report);
    // The buttons show their pictures (the open folder's yellow among them) and the lamp is the idle green.
    const int toolbarYellow = kv::test::CountColourIn(shot, RGB(255, 255, 0), toolbarRect);
    const int lampGreen = kv::test::CountColourIn(shot, RGB(0, 128, 0), statusRect);
    problems += toolbarYellow < 20 || lampGreen == 0;
    if (report)
        std::printf("toolbar %d yellow pixels, lamp %d green pixels\n", toolbarYellow, lampGreen);
    if (report)
        std::printf("%zu colours, tree %ld x %ld with %d inked pixels, list %ld x %ld, status bar %ld high\n", colours,
                    treeRect.right - treeRect.left, treeRect.bottom - treeRect.top, treeInk,
                    listRect.right - listRect.left, listRect.bottom - listRect.top, statusRect.bottom - statusRect.top);
    return problems;
}

// Opens the File menu as Alt+F does and copies it from the screen: its items show
// their pictures (the new page's and the open folder's yellow). The problems found.
int checkFileMenu(HWND main, const std::string& output) {
    PostMessageA(main, WM_SYSCOMMAND, SC_KEYMENU, 'f');
    HWND popup = nullptr;
    for (int i = 0; i < 100 && !popup; ++i, Sleep(100)) {
        popup = FindWindowA("#32768", nullptr);
        if (popup && !IsWindowVisible(popup)) popup = nullptr;
    }
    if (!popup) {
        std::printf("no File menu\n");
        return 1;
    }
    int yellow = 0;
    RECT r{};
    GetWindowRect(popup, &r);
    kv::ui::BitmapCanvas shot(r.right - r.left, r.bottom - r.top);
    kv::test::CopyUntilDrawn(
        shot, {r.left, r.top},
        [&] {
            yellow = kv::test::CountColourIn(shot, RGB(255, 255, 0));
            return yellow >= 20;
        },
        [] { Sleep(250); });
    std::printf("File menu %ld x %ld, %d yellow pixels\n", r.right - r.left, r.bottom - r.top, yellow);
    if (!kv::test::saveBitmap(shot, output)) std::printf("cannot write %s\n", output.c_str());
    PostMessageA(main, WM_CANCELMODE, 0, 0);
    return yellow < 20;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 3) {
        std::printf("usage: mainwindowshot KORVALDER.EXE OUTPUT.BMP\n");
        return 2;
    }
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    const std::string catalog = std::string(temp) + "Screenshot.ctf";
    writeCatalog(catalog);
    kv::test::ScreenshotRun run(argv[1], catalog, kShotKey);
    if (!run.started()) return 2;
    HWND main = run.mainWindow();
    int result = 1;
    if (main) {
        // Start-up is done once the catalog is in the tree and the splash has gone.
        HWND tree = child(main, WC_TREEVIEWA);
        for (int i = 0; i < 300 && SendMessageA(tree, TVM_GETCOUNT, 0, 0) == 0; ++i) Sleep(100);
        Sleep(4000);
        SetForegroundWindow(main);
        const SIZE size = kv::test::WindowSize(main);
        kv::ui::BitmapCanvas shot(size.cx, size.cy);
        const POINT origin = kv::test::WindowOrigin(main);
        kv::test::CopyUntilDrawn(
            shot, origin, [&] { return check(main, shot, origin, false) == 0; }, [] { Sleep(250); });
        int problems = check(main, shot, origin, true);
        if (!kv::test::saveBitmap(shot, argv[2])) std::printf("cannot write %s\n", argv[2]);
        std::string menuShot = argv[2];
        menuShot.insert(menuShot.size() - std::min<std::size_t>(menuShot.size(), 4), "-file-menu");
        problems += checkFileMenu(main, menuShot);
        std::printf(problems == 0 ? "main window drawn\n" : "main window not drawn\n");
        result = problems == 0 ? 0 : 1;
    } else {
        std::printf("no main window\n");
    }
    return run.finish(main, result);
}
