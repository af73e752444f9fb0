#include "TestStrip.h"
#include "UiFixture.h"
#include "ui/BitBtn.h"
#include "ui/Canvas.h"
#include "ui/Form.h"
#include "ui/Panel.h"
#include "tests/support/TestInput.h"
#include "ui/ToolbarHelpers.h"

namespace {

using namespace kv::ui;

using ToolbarHelpersTest = UiTest;

TEST_F(ToolbarHelpersTest, BitBtnDrawsGlyphAndCaptionAndClicks) {
    Form form;
    BitBtn button;
    button.setBounds(10, 10, 120, 30);
    button.setText("&Print");
    button.create(&form);
    form.show();
    const COLORREF colours[] = {RGB(0, 160, 0), RGB(128, 128, 128)};
    HBITMAP strip = makeStrip(2, colours);
    button.setGlyph(strip, 2);
    int clicks = 0;
    button.onClick = [&](Button&) { ++clicks; };
    kv::uitest::sendClick(button.hwnd(), 20, 15);
    EXPECT_EQ(clicks, 1);

    // Centred together: the glyph, 4 pixels, then the caption.
    BitBtn::Placement p = button.placement();
    const int content = 16 + 4 + button.captionWidth();
    EXPECT_EQ(p.glyph.left, (120 - content) / 2);
    EXPECT_EQ(p.text.left, p.glyph.right + 4);
    EXPECT_EQ(p.glyph.top, (30 - 16) / 2);

    BitmapCanvas shot(120, 30);
    renderWindow(button.hwnd(), shot);
    EXPECT_EQ(shot.pixel(p.glyph.left + 8, p.glyph.top + 8), RGB(0, 160, 0));
    EXPECT_NE(shot.pixel(p.glyph.left + 1, p.glyph.top + 1), RGB(255, 0, 255));  // see-through
    bool captionDrawn = false;
    for (int x = p.text.left; x < p.text.right && !captionDrawn; ++x)
        for (int y = 5; y < 25 && !captionDrawn; ++y) captionDrawn = shot.pixel(x, y) == GetSysColor(COLOR_BTNTEXT);
    EXPECT_TRUE(captionDrawn);
    button.setEnabled(false);
    renderWindow(button.hwnd(), shot);
    EXPECT_EQ(shot.pixel(p.glyph.left + 8, p.glyph.top + 8), RGB(128, 128, 128));  // the disabled image

    // The default role keeps the owner drawing and a margin puts the glyph there.
    button.setDefault(true);
    EXPECT_EQ(GetWindowLongA(button.hwnd(), GWL_STYLE) & BS_TYPEMASK, BS_OWNERDRAW);
    button.setMargin(6);
    EXPECT_EQ(button.placement().glyph.left, 6);
    DeleteObject(strip);
}

TEST_F(ToolbarHelpersTest, CenterBitBtnGlyphCentresForTheCaptionItHasNow) {
    Form form;
    BitBtn button;
    button.setBounds(0, 0, 150, 30);
    button.create(&form);
    const COLORREF colours[] = {RGB(0, 160, 0)};
    HBITMAP strip = makeStrip(1, colours);
    button.setGlyph(strip);
    button.setMargin(2);
    for (const char* caption : {"Print", "Export to a text file", ""}) {
        button.setText(caption);
        CenterBitBtnGlyph(button);
        BitBtn::Placement p = button.placement();
        EXPECT_LE(std::abs(p.glyph.left - (150 - p.text.right)), 1) << caption;  // as much room on both sides
    }
    button.setText(std::string(80, 'W'));  // wider than the button: starts at the edge
    CenterBitBtnGlyph(button);
    EXPECT_EQ(button.margin(), 0);
    DeleteObject(strip);
}

TEST_F(ToolbarHelpersTest, ButtonStyleInTagOrderAndTheButtonUnderAPoint) {
    Form form;
    Panel toolbar;
    toolbar.setBounds(0, 0, 400, 40);
    toolbar.create(&form);
    SpeedButton b3, b1, b2, b5, other;
    const std::pair<SpeedButton*, int> tags[] = {{&b3, 103}, {&b1, 1}, {&b2, 202}, {&b5, 5}, {&other, 0}};
    int x = 0;
    for (auto [button, tag] : tags) {
        button->Tag = tag;
        button->setBounds(x, 2, 23, 22);
        button->create(&toolbar);
        x += 60;
    }
    auto ordered = ApplyToolbarButtonStyle(toolbar, 2, false);
    EXPECT_EQ(ordered, (std::vector<SpeedButton*>{&b1, &b2, &b3}));  // no 4: 5 is left alone
    for (SpeedButton* b : ordered) {
        EXPECT_EQ(b->width(), 25);
        EXPECT_EQ(b->height(), 25);
    }
    EXPECT_EQ(b5.width(), 23);
    EXPECT_EQ(ToolbarButtonSide(0), 21);
    EXPECT_EQ(ToolbarButtonSide(7), 35);
    EXPECT_EQ(ToolbarButtonSide(1000000), 35);  // a stored setting out of range
    EXPECT_EQ(ToolbarButtonSide(-3), 21);

    EXPECT_EQ(FindToolButtonAt(toolbar, {65, 10}), &b1);
    EXPECT_EQ(FindToolButtonAt(toolbar, {130, 10}), &b2);
    EXPECT_EQ(FindToolButtonAt(toolbar, {50, 10}), nullptr);  // between buttons
    b1.setVisible(false);
    EXPECT_EQ(FindToolButtonAt(toolbar, {65, 10}), nullptr);
}

}  // namespace
