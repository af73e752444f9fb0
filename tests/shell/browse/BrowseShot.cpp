// The main window browsing a catalog on a real display (tools/wine-x11-run):
// the program opens a catalog, this picks a folder with described files and an
// archive folder in its tree, checks that the list shows them drawn, and saves
// the picture.   browseshot KORVALDER.EXE OUTPUT.BMP
#include <windows.h>
#include <commctrl.h>

#include <cstdio>
#include <string>

#include "BrowseFixture.h"
#include "catalog/file/CatalogWrite.h"
#include "tests/support/BitmapFile.h"
#include "tests/support/ScreenPicture.h"
#include "tests/support/ScreenshotRun.h"

namespace {

constexpr const char* kShotKey = "\\Software\\Talvenmoor\\Korvalder? Browse Screenshot";

void writeCatalog(const std::string& path) {
    kv::test::BrowseFixture f;
    f.c->description.assign("Second file, with a description\r\nof two lines");
    kv::FileSink sink(path);
    kv::EncodeCatalog(*f.catalog, sink);
    sink.close();
}

// The first child of a tree item, once the program has filled it on expansion.
HTREEITEM firstChild(HWND tree, HTREEITEM parent) {
    for (int tries = 0; tries < 50; ++tries, Sleep(100)) {
        SendMessageA(tree, TVM_EXPAND, TVE_EXPAND, reinterpret_cast<LPARAM>(parent));
        if (auto item = reinterpret_cast<HTREEITEM>(
                SendMessageA(tree, TVM_GETNEXTITEM, TVGN_CHILD, reinterpret_cast<LPARAM>(parent))))
            return item;
    }
    return nullptr;
}

// Pixels of the list that differ from its background: rows with icons and texts.
int listInk(HWND main, HWND list, const kv::ui::BitmapCanvas& shot) {
    const RECT r = kv::test::RectInPicture(list, kv::test::WindowOrigin(main));
    const COLORREF background = shot.pixel(r.right - 20, r.bottom - 20);
    int ink = 0;
    for (int y = r.top + 25; y < r.top + 120 && y < r.bottom; ++y)
        for (int x = r.left; x < r.right; ++x) ink += shot.pixel(x, y) != background;
    return ink;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 3) {
        std::printf("usage: browseshot KORVALDER.EXE OUTPUT.BMP\n");
        return 2;
    }
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    const std::string catalog = std::string(temp) + "Browse.ctf";
    writeCatalog(catalog);
    kv::test::ScreenshotRun run(argv[1], catalog, kShotKey);
    if (!run.started()) return 2;
    int result = 1;
    HWND main = run.mainWindow();
    HWND tree = main ? FindWindowExA(main, nullptr, WC_TREEVIEWA, nullptr) : nullptr;
    HWND list = nullptr;
    HTREEITEM root = nullptr;
    for (int i = 0; tree && i < 300 && !root; ++i, Sleep(100))
        root = reinterpret_cast<HTREEITEM>(SendMessageA(tree, TVM_GETNEXTITEM, TVGN_ROOT, 0));
    // The catalog's first disk is "CD", its one folder "Docs".
    HTREEITEM disk = root ? firstChild(tree, root) : nullptr;
    HTREEITEM folder = disk ? firstChild(tree, disk) : nullptr;
    if (folder) {
        // Start-up may still select the catalog it opened: select until the folder shows.
        LRESULT rows = 0;
        for (int i = 0; i < 100 && rows != 5; ++i, Sleep(200)) {
            SendMessageA(tree, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(folder));
            // Found anew: the list's window is re-created while the program starts.
            list = FindWindowExA(main, nullptr, WC_LISTVIEWA, nullptr);
            rows = SendMessageA(list, LVM_GETITEMCOUNT, 0, 0);
        }
        Sleep(4000);  // the splash goes
        SetForegroundWindow(main);
        const SIZE size = kv::test::WindowSize(main);
        kv::ui::BitmapCanvas shot(size.cx, size.cy);
        int ink = 0;
        kv::test::CopyUntilDrawn(
            shot, kv::test::WindowOrigin(main),
            [&] {
                ink = listInk(main, list, shot);
                return ink >= 500;
            },
            [] { Sleep(250); });
        std::printf("%ld rows, %d inked pixels in the rows\n", static_cast<long>(rows), ink);
        if (!kv::test::saveBitmap(shot, argv[2])) std::printf("cannot write %s\n", argv[2]);
        // The ".." row, Sub, a.txt, b.zip and c.txt.
        result = rows == 5 && ink >= 500 ? 0 : 1;
        std::printf(result == 0 ? "folder listing drawn\n" : "folder listing not drawn\n");
    } else {
        std::printf("no folder to browse\n");
    }
    return run.finish(main, result);
}
