#include "controls/menus/GlyphMenuItemsWin32.h"

#include <gtest/gtest.h>

#include <memory>

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

// The glyph column from the left edge: what a check mark may touch.
int inkInGlyphColumn(const BitmapCanvas& c, COLORREF ink) {
    int n = 0;
    for (int y = 0; y < c.height(); ++y)
        for (int x = 0; x < 20; ++x) n += c.pixel(x, y) == ink;
    return n;
}

TEST(GlyphMenuItems, CheckedItemsShowTheirMarkThemselves) {
    MenuFonts fonts;
    PopupMenu menu;
    MenuItem& plain = menu.Items().Add("&Toolbar");
    MenuItem& radio = menu.Items().Add("View &Details");
    radio.RadioItem = true;
    test::TestGlyph glyph;
    const RECT rect{0, 0, 160, 22};
    const COLORREF ink = GetSysColor(COLOR_MENUTEXT);
    auto draw = [&](MenuItem& item, UINT state, const std::optional<MenuGlyphImage>& g) {
        auto shot = std::make_unique<BitmapCanvas>(160, 22);
        DrawGlyphItem(fonts, item, shot->dc(), rect, state, g);
        return shot;
    };
    EXPECT_EQ(inkInGlyphColumn(*draw(plain, 0, std::nullopt), ink), 0);
    plain.SetChecked(true);
    const int tick = inkInGlyphColumn(*draw(plain, 0, std::nullopt), ink);
    EXPECT_GT(tick, 10);
    radio.SetChecked(true);
    const int dot = inkInGlyphColumn(*draw(radio, 0, std::nullopt), ink);
    EXPECT_GT(dot, 10);
    EXPECT_NE(dot, tick);
    // Selected: the mark takes the highlight's text colour.
    EXPECT_GT(inkInGlyphColumn(*draw(plain, ODS_SELECTED, std::nullopt), GetSysColor(COLOR_HIGHLIGHTTEXT)), 10);
    // With a glyph the picture stays and a sunken frame says it is checked.
    auto framed = draw(plain, 0, glyph.image());
    EXPECT_TRUE(contains(*framed, test::kEnabledInk));
    EXPECT_TRUE(contains(*framed, GetSysColor(COLOR_BTNSHADOW)));
    plain.SetChecked(false);
    EXPECT_FALSE(contains(*draw(plain, 0, glyph.image()), GetSysColor(COLOR_BTNSHADOW)));
}

}  // namespace
}  // namespace kv::ui
