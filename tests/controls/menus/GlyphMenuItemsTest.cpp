#include "controls/menus/GlyphMenuItemsWin32.h"

#include <gtest/gtest.h>

#include "TestGlyph.h"
#include "ui/Canvas.h"

namespace kv::ui {
namespace {

bool contains(const BitmapCanvas& c, COLORREF colour) {
    for (int y = 0; y < c.height(); ++y)
        for (int x = 0; x < c.width(); ++x)
            if (c.pixel(x, y) == colour) return true;
    return false;
}

TEST(GlyphMenuItems, MeasuredWiderForTheGlyphColumnAndAtLeast18High) {
    MenuFonts fonts;
    PopupMenu menu;
    MenuItem& open = menu.Items().Add("&Open");
    UINT w = 0, h = 0;
    MeasureGlyphItem(fonts, open, w, h);
    EXPECT_EQ(static_cast<int>(w), MenuTextWidth(fonts.font(false), "Open") + 15 + 20);
    EXPECT_GE(h, 18u);
    EXPECT_GE(static_cast<int>(h), GetSystemMetrics(SM_CYMENU));
}

TEST(GlyphMenuItems, TheGlyphHalfFollowsTheStateAndItsGroundIsTransparent) {
    MenuFonts fonts;
    PopupMenu menu;
    MenuItem& item = menu.Items().Add("&Properties");
    test::TestGlyph glyph;
    const RECT rect{0, 0, 160, 22};
    {
        BitmapCanvas shot(160, 22);
        DrawGlyphItem(fonts, item, shot.dc(), rect, 0, glyph.image());
        EXPECT_TRUE(contains(shot, test::kEnabledInk));
        EXPECT_FALSE(contains(shot, test::kDisabledInk));
        EXPECT_FALSE(contains(shot, test::kGround));
        EXPECT_EQ(shot.pixel(1, 1), GetSysColor(COLOR_MENU));
        EXPECT_TRUE(contains(shot, GetSysColor(COLOR_MENUTEXT)));
    }
    {
        BitmapCanvas shot(160, 22);
        item.SetEnabled(false);
        DrawGlyphItem(fonts, item, shot.dc(), rect, ODS_GRAYED, glyph.image());
        EXPECT_TRUE(contains(shot, test::kDisabledInk));
        EXPECT_FALSE(contains(shot, test::kEnabledInk));
    }
    {
        BitmapCanvas shot(160, 22);
        item.SetEnabled(true);
        DrawGlyphItem(fonts, item, shot.dc(), rect, ODS_SELECTED, std::nullopt);
        EXPECT_EQ(shot.pixel(1, 1), GetSysColor(COLOR_HIGHLIGHT));
        EXPECT_FALSE(contains(shot, test::kEnabledInk));
    }
}

}  // namespace
}  // namespace kv::ui
