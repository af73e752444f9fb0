// Opens an owner-drawn popup menu with glyphs on a real display
// (tools/wine-x11-run), selects its first item, copies the open menu from the
// screen, checks what it shows and saves the picture.
//   menushot OUTPUT.BMP
#include <windows.h>

#include <cstdio>
#include <string>

#include "TestGlyph.h"
#include "controls/menus/GlyphMenuItemsWin32.h"
#include "tests/support/BitmapFile.h"
#include "tests/support/ScreenPicture.h"
#include "tests/support/TestInput.h"
#include "ui/Canvas.h"
#include "ui/Form.h"

namespace {

int count(const kv::ui::BitmapCanvas& shot, COLORREF colour) { return kv::test::CountColourIn(shot, colour); }

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::printf("usage: menushot OUTPUT.BMP\n");
        return 2;
    }
    kv::ui::Form form;
    form.setBounds(100, 100, 320, 240);
    form.setCaption("Menu");
    form.show();
    kv::test::TestGlyph glyph;
    kv::ui::TODPopupMenu menu;
    menu.Items().Add("&Open").SetShortCut(kv::ui::ShortCut('O', kv::ui::kCtrl));
    menu.Items().Add("&Properties").SetEnabled(false);
    menu.Items().Add("-");
    menu.Items().Add("E&xit");
    kv::ui::UseGlyphItems(menu, menu.fonts(), [&](const kv::ui::MenuItem& item) -> std::optional<kv::ui::MenuGlyphImage> {
        if (item.Caption() == "E&xit") return std::nullopt;
        return glyph.image();
    });

    int result = 1;
    kv::uitest::TimerAction select(1500, [] {
        keybd_event(VK_DOWN, 0, 0, 0);
        keybd_event(VK_DOWN, 0, KEYEVENTF_KEYUP, 0);
    });
    kv::uitest::TimerAction shoot(3000, [&] {
        HWND popup = FindWindowA("#32768", nullptr);
        RECT r{};
        if (!popup || !GetWindowRect(popup, &r) || r.right <= r.left) {
            std::printf("no open menu\n");
            EndMenu();
            return;
        }
        kv::ui::BitmapCanvas shot(r.right - r.left, r.bottom - r.top);
        kv::test::CopyFromScreen(shot, r.left, r.top);
        const int enabledInk = count(shot, kv::test::kEnabledInk);
        const int disabledInk = count(shot, kv::test::kDisabledInk);
        const int ground = count(shot, kv::test::kGround);
        const int highlight = count(shot, GetSysColor(COLOR_HIGHLIGHT));
        std::printf("menu %ld x %ld: enabled glyph %d, disabled glyph %d, glyph ground %d, highlight %d pixels\n",
                    r.right - r.left, r.bottom - r.top, enabledInk, disabledInk, ground, highlight);
        if (!kv::test::saveBitmap(shot, argv[1])) std::printf("cannot write %s\n", argv[1]);
        // The selected first item and the disabled second each show their half of
        // the glyph; the glyph's ground never shows.
        result = enabledInk > 0 && disabledInk > 0 && ground == 0 && highlight > 0 ? 0 : 1;
        EndMenu();
    });
    menu.Popup(form.hwnd(), 150, 150);
    std::printf(result == 0 ? "open menu drawn\n" : "open menu not drawn\n");
    return result;
}
