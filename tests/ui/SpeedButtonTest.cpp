#include "TestStrip.h"
#include "UiFixture.h"
#include "ui/Button.h"
#include "ui/Canvas.h"
#include "ui/Form.h"
#include "ui/SpeedButton.h"
#include "tests/support/TestInput.h"

namespace {

using namespace kv::ui;

using SpeedButtonTest = UiTest;

TEST_F(SpeedButtonTest, ClicksWithoutTakingTheFocusAndDrawsItsGlyph) {
    Form form;
    Button other;
    SpeedButton tool;
    other.create(&form);
    tool.setBounds(100, 0, 24, 24);
    tool.create(&form);
    form.show();
    other.setFocus();
    const COLORREF colours[] = {RGB(0, 160, 0), RGB(128, 128, 128)};
    HBITMAP strip = makeStrip(2, colours);
    tool.setGlyph(strip, 2);
    int clicks = 0;
    tool.onClick = [&](SpeedButton&) { ++clicks; };
    kv::uitest::sendClick(tool.hwnd(), 5, 5);
    EXPECT_EQ(clicks, 1);
    EXPECT_TRUE(other.focused());
    kv::uitest::sendClick(tool.hwnd(), 500, 5);  // released outside: no click
    EXPECT_EQ(clicks, 1);

    BitmapCanvas shot(24, 24);
    renderWindow(tool.hwnd(), shot);
    EXPECT_EQ(shot.pixel(12, 12), RGB(0, 160, 0));
    EXPECT_NE(shot.pixel(5, 5), RGB(255, 0, 255));  // the see-through colour is not drawn
    tool.setEnabled(false);
    renderWindow(tool.hwnd(), shot);
    EXPECT_EQ(shot.pixel(12, 12), RGB(128, 128, 128));  // the disabled glyph
    DeleteObject(strip);
}

TEST_F(SpeedButtonTest, GroupsKeepOneDownAndHotTracking) {
    Form form;
    SpeedButton a, b;
    for (SpeedButton* s : {&a, &b}) {
        s->groupIndex = 1;
        s->create(&form);
    }
    form.show();
    a.click();
    EXPECT_TRUE(a.down());
    b.click();
    EXPECT_TRUE(b.down());
    EXPECT_FALSE(a.down());
    b.setDown(false);  // not without allowAllUp
    EXPECT_TRUE(b.down());

    a.setFlat(true);
    SendMessageA(a.hwnd(), WM_MOUSEMOVE, 0, MAKELPARAM(2, 2));
    EXPECT_TRUE(a.hot());
    SendMessageA(a.hwnd(), WM_MOUSELEAVE, 0, 0);
    EXPECT_FALSE(a.hot());
}

TEST_F(SpeedButtonTest, AStripNarrowerThanItsGlyphCountStillPaints) {
    Form form;
    SpeedButton tool;
    tool.create(&form);
    BitmapCanvas narrow(2, 16);
    HBITMAP strip = static_cast<HBITMAP>(CopyImage(narrow.bitmap(), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
    tool.setGlyph(strip, 4);
    EXPECT_EQ(tool.numGlyphs(), 2);
    BitmapCanvas shot(23, 22);
    renderWindow(tool.hwnd(), shot);  // shown or not, nothing raises
    form.show();
    renderWindow(tool.hwnd(), shot);
    EXPECT_TRUE(prompt.asked.empty());
    DeleteObject(strip);
}

}  // namespace
