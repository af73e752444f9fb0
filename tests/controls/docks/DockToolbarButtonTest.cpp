#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "controls/docks/DockToolbarButtonWin32.h"
#include "ui/Canvas.h"
#include "ui/Form.h"
#include "ui/Menu.h"
#include "ui/Application.h"
#include "tests/support/ScriptedPrompt.h"
#include "tests/support/TestInput.h"
#include "tests/ui/TestStrip.h"

namespace {

using namespace kv::ui;

struct ButtonForm {
    Form form;
    TDockToolbarButton a, b, c;
    HBITMAP glyph;
    ButtonForm() {
        const COLORREF black = RGB(0, 0, 0);
        glyph = makeStrip(1, &black);
        int x = 0;
        for (TDockToolbarButton* btn : {&a, &b, &c}) {
            btn->setBounds(x, 0, 23, 22);
            btn->groupIndex = 1;
            btn->setGlyph(glyph);
            btn->create(&form);
            x += 23;
        }
        form.show();
    }
    ~ButtonForm() { DeleteObject(glyph); }
};

COLORREF sys(int index) { return GetSysColor(index); }

TEST(DockToolbarButton, PaintsEachState) {
    ButtonForm f;
    BitmapCanvas shot(23, 22);
    auto render = [&] { renderWindow(f.a.hwnd(), shot); };

    render();
    EXPECT_EQ(f.a.state(), TButtonState::bsUp);
    EXPECT_EQ(shot.pixel(0, 0), sys(COLOR_BTNFACE));  // flat: no border
    EXPECT_EQ(shot.pixel(10, 10), RGB(0, 0, 0));

    int enters = 0, exits = 0;
    f.a.onHotEnter = [&](SpeedButton&) { ++enters; };
    f.a.onHotExit = [&](SpeedButton&) { ++exits; };
    SendMessageA(f.a.hwnd(), WM_MOUSEMOVE, 0, MAKELPARAM(5, 5));
    SendMessageA(f.a.hwnd(), WM_MOUSEMOVE, 0, MAKELPARAM(6, 5));
    render();
    EXPECT_EQ(f.a.state(), TButtonState::bsHot);
    EXPECT_EQ(shot.pixel(0, 0), sys(COLOR_BTNHIGHLIGHT));
    EXPECT_EQ(shot.pixel(22, 21), sys(COLOR_BTNSHADOW));
    SendMessageA(f.a.hwnd(), WM_MOUSELEAVE, 0, 0);
    EXPECT_EQ(enters, 1);
    EXPECT_EQ(exits, 1);

    f.a.setDown(true);
    render();
    EXPECT_EQ(f.a.state(), TButtonState::bsExclusive);
    EXPECT_EQ(shot.pixel(0, 0), sys(COLOR_BTNSHADOW));
    EXPECT_EQ(shot.pixel(11, 11), RGB(0, 0, 0));  // shifted one pixel down-right

    f.a.setDown(false);  // not without allowAllUp
    EXPECT_TRUE(f.a.down());
    f.a.allowAllUp = true;
    f.a.setDown(false);
    f.a.setEnabled(false);
    render();
    EXPECT_EQ(f.a.state(), TButtonState::bsDisabled);
    EXPECT_EQ(shot.pixel(10, 10), sys(COLOR_BTNSHADOW));     // the embossed square
    EXPECT_EQ(shot.pixel(15, 15), sys(COLOR_BTNHIGHLIGHT));  // its highlight below right
    EXPECT_EQ(shot.pixel(4, 4), sys(COLOR_BTNFACE));
}

TEST(DockToolbarButton, LeavingTheProgramEndsTheHotState) {
    ButtonForm f;
    int exits = 0;
    f.b.onHotExit = [&](SpeedButton&) { ++exits; };
    SendMessageA(f.b.hwnd(), WM_MOUSEMOVE, 0, MAKELPARAM(5, 5));
    ASSERT_TRUE(f.b.hot());
    SendMessageA(f.form.hwnd(), WM_ACTIVATEAPP, FALSE, 0);
    EXPECT_FALSE(f.b.hot());
    EXPECT_EQ(f.b.state(), TButtonState::bsUp);
    SendMessageA(f.b.hwnd(), WM_MOUSELEAVE, 0, 0);
    SendMessageA(f.form.hwnd(), WM_ACTIVATEAPP, FALSE, 0);
    EXPECT_EQ(exits, 1);
}

TEST(DockToolbarButton, GroupsAndNarrowGlyphs) {
    ButtonForm f;
    kv::uitest::sendClick(f.b.hwnd(), 5, 5);
    EXPECT_TRUE(f.b.down());
    kv::uitest::sendClick(f.a.hwnd(), 5, 5);
    EXPECT_TRUE(f.a.down());
    EXPECT_FALSE(f.b.down());
    kv::uitest::sendClick(f.a.hwnd(), 5, 5);
    EXPECT_TRUE(f.a.down());  // one stays down
    f.c.allowAllUp = true;
    kv::uitest::sendClick(f.c.hwnd(), 5, 5);
    EXPECT_TRUE(f.a.allowAllUp);  // the group takes the sender's setting
    kv::uitest::sendClick(f.c.hwnd(), 5, 5);
    EXPECT_FALSE(f.c.down());

    // A strip narrower than its image count paints without failing: a raise
    // while painting would reach the prompt as the error box.
    kv::ui::ScriptedPrompt prompt;
    Application::instance().setPrompt(&prompt);
    BitmapCanvas tiny(3, 16);
    HBITMAP narrow = static_cast<HBITMAP>(CopyImage(tiny.bitmap(), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
    f.b.setGlyph(narrow, 5);
    DeleteObject(narrow);  // the button keeps its own copy
    EXPECT_EQ(f.b.numGlyphs(), 3);
    f.b.setEnabled(false);
    BitmapCanvas shot(23, 22);
    renderWindow(f.b.hwnd(), shot);
    EXPECT_TRUE(prompt.asked.empty());
    Application::instance().setPrompt(nullptr);
    f.b.setGlyph(nullptr);
}

TEST(DockToolbarButton, DropdownOpensOnlyFromTheArrowPartAndRunsTheChosenItem) {
    ButtonForm f;
    PopupMenu menu;
    int chosen = 0;
    menu.Items().Add("One", [&](MenuItem&) { ++chosen; });
    f.c.groupIndex = 0;
    f.c.setBounds(46, 0, 40, 22);
    f.c.dropdownMenu = &menu;
    f.c.dropdownCombo = true;
    int clicks = 0;
    f.c.onClick = [&](SpeedButton&) { ++clicks; };
    kv::uitest::sendClick(f.c.hwnd(), 5, 5);  // left of the arrow: a plain click
    EXPECT_EQ(clicks, 1);
    bool pressedInMenu = false;
    kv::uitest::TimerAction close(100, [&] {
        pressedInMenu = f.c.state() == TButtonState::bsDown;
        PostMessageA(f.c.hwnd(), WM_LBUTTONDOWN, 0, MAKELPARAM(5, 5));
        EndMenu();
    });
    SendMessageA(f.c.hwnd(), WM_LBUTTONDOWN, 0, MAKELPARAM(35, 5));
    EXPECT_TRUE(close.ran());
    EXPECT_TRUE(pressedInMenu);
    EXPECT_EQ(f.c.state(), TButtonState::bsUp);
    MSG msg;
    EXPECT_FALSE(PeekMessageA(&msg, f.c.hwnd(), WM_LBUTTONDOWN, WM_LBUTTONDOWN, PM_NOREMOVE));
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(chosen, 0);

    // An item chosen from the menu runs (a cancelled menu ran none).
    kv::uitest::TimerAction pick(100, [&] {
        HWND shown = FindWindowA("#32768", nullptr);
        kv::uitest::postKey(shown, VK_DOWN);
        kv::uitest::postKey(shown, VK_RETURN);
    });
    SendMessageA(f.c.hwnd(), WM_LBUTTONDOWN, 0, MAKELPARAM(35, 5));
    EXPECT_TRUE(pick.ran());
    EXPECT_EQ(chosen, 1);
    EXPECT_EQ(clicks, 1);
}

TEST(DockToolbarButton, GlyphImagesShareOneListPerSizeAndAreMadeOnce) {
    ButtonForm f;
    BitmapCanvas shot(23, 22);
    auto render = [&](TDockToolbarButton& b) { renderWindow(b.hwnd(), shot); };
    TGlyphList& list16 = TGlyphCache::shared()->listFor({16, 16});
    for (TDockToolbarButton* b : {&f.a, &f.b, &f.c}) render(*b);
    EXPECT_EQ(list16.count(), 3);  // one up image each
    f.b.setEnabled(false);
    f.c.setEnabled(false);
    for (int i = 0; i < 3; ++i)
        for (TDockToolbarButton* b : {&f.a, &f.b, &f.c}) render(*b);
    EXPECT_EQ(list16.count(), 5);  // plus one disabled image each, made once
    EXPECT_EQ(shot.pixel(10, 10), GetSysColor(COLOR_BTNSHADOW));

    // Another size goes to a list of its own; the old slot is freed for the
    // next button, which puts its own image there.
    const COLORREF black = RGB(0, 0, 0);
    HBITMAP small = makeStrip(1, &black);
    HBITMAP smaller = static_cast<HBITMAP>(CopyImage(small, IMAGE_BITMAP, 8, 8, LR_CREATEDIBSECTION));
    f.c.setGlyph(smaller);
    render(f.c);
    EXPECT_EQ(list16.used(), 3);
    EXPECT_EQ(TGlyphCache::shared()->listFor({8, 8}).used(), 1);

    BitmapCanvas corner(16, 16);
    corner.canvas().setBrushColor(RGB(255, 0, 255));
    corner.canvas().fillRect({0, 0, 16, 16});
    corner.canvas().setBrushColor(RGB(0, 0, 0));
    corner.canvas().fillRect({0, 0, 6, 6});
    HBITMAP cornerGlyph = static_cast<HBITMAP>(CopyImage(corner.bitmap(), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
    {
        TDockToolbarButton d;
        d.setBounds(0, 30, 23, 22);
        d.setGlyph(cornerGlyph);
        d.setEnabled(false);
        d.create(&f.form);
        render(d);
        EXPECT_EQ(list16.count(), 5);  // the freed slot taken again
        EXPECT_EQ(list16.used(), 4);
        EXPECT_EQ(shot.pixel(5, 5), GetSysColor(COLOR_BTNSHADOW));  // its own shape, not the old one
        EXPECT_EQ(shot.pixel(12, 12), GetSysColor(COLOR_BTNFACE));
    }
    EXPECT_EQ(list16.used(), 3);  // a button gives its images back when it goes
    f.c.setGlyph(nullptr);
    DeleteObject(cornerGlyph);
    DeleteObject(smaller);
    DeleteObject(small);
}

}  // namespace
