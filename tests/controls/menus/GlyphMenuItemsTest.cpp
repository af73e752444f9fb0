#include "controls/menus/GlyphMenuItemsWin32.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
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

// The menu bar's titles leave out the glyph column: measured as the caption
// + 20 and drawn centred, while the items below them keep the column.
TEST(GlyphMenuItems, MenuBarTitlesHaveNoGlyphColumn) {
    MenuFonts fonts;
    MainMenu bar;
    MenuItem& file = bar.Items().Add("&File");
    MenuItem& open = file.Add("&Open");
    UseGlyphItems(bar, fonts, {});
    PopupMenu popup;
    MenuItem& popupTop = popup.Items().Add("&File");
    UseGlyphItems(popup, fonts, {});
    EXPECT_TRUE(IsMenuBarTitle(bar, file));
    EXPECT_FALSE(IsMenuBarTitle(bar, open));
    EXPECT_FALSE(IsMenuBarTitle(popup, popupTop));

    const int caption = MenuTextWidth(fonts.font(false), "File");
    UINT w = 0, h = 0;
    bar.onMeasureItem(bar, file, w, h);
    EXPECT_EQ(static_cast<int>(w), caption + 20);
    bar.onMeasureItem(bar, open, w, h);
    EXPECT_EQ(static_cast<int>(w), MenuTextWidth(fonts.font(false), "Open") + 15 + 20);
    popup.onMeasureItem(popup, popupTop, w, h);
    EXPECT_EQ(static_cast<int>(w), caption + 15 + 20);

    const int width = caption + 20;
    BitmapCanvas shot(width, 20);
    bar.onDrawItem(bar, file, shot.dc(), RECT{0, 0, width, 20}, 0);
    const COLORREF ink = GetSysColor(COLOR_MENUTEXT);
    int first = width, last = -1;
    for (int y = 0; y < 20; ++y)
        for (int x = 0; x < width; ++x)
            if (shot.pixel(x, y) == ink) {
                first = std::min(first, x);
                last = std::max(last, x);
            }
    ASSERT_GE(last, first);
    EXPECT_LE(std::abs(first - (width - 1 - last)), 2) << first << " " << last;
}

}  // namespace
}  // namespace kv::ui
