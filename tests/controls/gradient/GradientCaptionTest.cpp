#include <gtest/gtest.h>

#include "controls/gradient/CaptionGeometry.h"
#include "controls/gradient/GradientColors.h"

namespace kv::ui {
namespace {

TEST(GradientColors, EndsAreExactAndStepsRound) {
    for (int n : {8, 64, 256}) {
        const auto t = ComputeGradientColors(0x102030, 0xF0E0D0, n);
        ASSERT_EQ(t.size(), std::size_t(n));
        EXPECT_EQ(t.front(), 0x102030u);
        EXPECT_EQ(t.back(), 0xF0E0D0u);
    }
    const auto red = ComputeGradientColors(0, 0x0000FF, 8);
    const std::uint32_t expected[] = {0, 36, 73, 109, 146, 182, 219, 255};
    for (int i = 0; i < 8; ++i) EXPECT_EQ(red[i], expected[i]) << i;
    // Falling channels round the same way.
    EXPECT_EQ(ComputeGradientColors(0xFF0000, 0, 8)[1], 0xDB0000u);
    EXPECT_EQ(GradientBandEdge(100, 8, 3), 38);
    EXPECT_EQ(GradientBandEdge(100, 8, 8), 100);
}

TEST(CaptionGeometry, RectFromBorder) {
    const CaptionMetrics m;
    EXPECT_EQ(CaptionRect(CaptionBorder::Sizeable, {400, 300}, m), (DockRect{4, 4, 396, 22}));
    EXPECT_EQ(CaptionRect(CaptionBorder::Dialog, {400, 300}, m), (DockRect{3, 3, 397, 21}));
    EXPECT_EQ(CaptionRect(CaptionBorder::SizeToolWin, {200, 100}, m), (DockRect{4, 4, 196, 19}));
    EXPECT_TRUE(CaptionRect(CaptionBorder::None, {200, 100}, m).empty());
}

TEST(CaptionGeometry, ButtonsAndTextBoxTable) {
    const CaptionMetrics m;  // caption 19, small icon 16: b = 14 + 1 (parity)
    struct Case {
        const char* what;
        CaptionBorder border;
        CaptionIcons icons;
        std::vector<CaptionButton> kinds;
        std::vector<bool> inactive;
        int textLeft, textRight;
    };
    const Case cases[] = {
        {"sizeable", CaptionBorder::Sizeable, {}, {CaptionButton::Close, CaptionButton::Maximize, CaptionButton::Minimize},
         {false, false, false}, 22, 394 - 19 - 34 - 3},
        {"no maximise icon", CaptionBorder::Sizeable, {true, true, false}, {CaptionButton::Close, CaptionButton::Maximize, CaptionButton::Minimize},
         {false, true, false}, 22, 394 - 19 - 34 - 3},
        {"maximised", CaptionBorder::Sizeable, {true, true, true, false, true}, {CaptionButton::Close, CaptionButton::Restore, CaptionButton::Minimize},
         {false, false, false}, 22, 394 - 19 - 34 - 3},
        {"dialog with help", CaptionBorder::Dialog, {true, false, false, true}, {CaptionButton::Close, CaptionButton::Help},
         {false, false}, 4, 395 - 19 - 17 - 3},
        {"no system menu", CaptionBorder::Sizeable, {false}, {}, {}, 5, 396 - 3},
        {"tool window", CaptionBorder::ToolWindow, {}, {CaptionButton::Close}, {false}, 4, 395 - 14 - 5},
    };
    for (const auto& c : cases) {
        const auto l = LayoutCaption(c.border, {400, 300}, c.icons, m);
        ASSERT_EQ(l.buttons.size(), c.kinds.size()) << c.what;
        for (std::size_t i = 0; i < l.buttons.size(); ++i) {
            EXPECT_EQ(l.buttons[i].kind, c.kinds[i]) << c.what;
            EXPECT_EQ(l.buttons[i].inactive, c.inactive[i]) << c.what;
            EXPECT_LE(l.buttons[i].rect.right, l.caption.right - 2) << c.what;
            if (i > 0) {
                EXPECT_LE(l.buttons[i].rect.right, l.buttons[i - 1].rect.left) << c.what;
            }
            EXPECT_GE(l.buttons[i].rect.left, l.textBox.right) << c.what;
        }
        EXPECT_EQ(l.textBox.left, c.textLeft) << c.what;
        EXPECT_EQ(l.textBox.right, c.textRight) << c.what;
    }
}

}  // namespace
}  // namespace kv::ui
