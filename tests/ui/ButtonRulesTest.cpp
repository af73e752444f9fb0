#include "ui/ButtonRules.h"

#include <gtest/gtest.h>

namespace kv::ui {
namespace {

TEST(ButtonRules, StatesAndTheirGlyphs) {
    EXPECT_EQ(ButtonState(false, true, true, true), TButtonState::bsDisabled);
    EXPECT_EQ(ButtonState(true, true, true, true), TButtonState::bsDown);
    EXPECT_EQ(ButtonState(true, false, true, true), TButtonState::bsExclusive);
    EXPECT_EQ(ButtonState(true, false, false, true), TButtonState::bsHot);
    EXPECT_EQ(ButtonState(true, false, false, false), TButtonState::bsUp);

    using S = TButtonState;
    const S states[] = {S::bsUp, S::bsDisabled, S::bsDown, S::bsExclusive, S::bsHot};
    // Rows: NumGlyphs 1..5; columns: the five states.
    const GlyphChoice expected[5][5] = {
        {{0, false}, {0, true}, {0, false}, {0, false}, {0, false}},
        {{0, false}, {1, false}, {0, false}, {0, false}, {0, false}},
        {{0, false}, {1, false}, {2, false}, {0, false}, {0, false}},
        {{0, false}, {1, false}, {2, false}, {3, false}, {0, false}},
        {{0, false}, {1, false}, {2, false}, {3, false}, {4, false}},
    };
    for (int n = 1; n <= 5; ++n)
        for (int s = 0; s < 5; ++s) EXPECT_EQ(GlyphFor(states[s], n), expected[n - 1][s]) << n << "/" << s;
}

TEST(ButtonRules, ContentLayoutTable) {
    const DockRect c{0, 0, 100, 40};
    const DockSize g{16, 16}, t{30, 13};
    struct Case {
        TButtonLayout layout;
        int margin;
        DockPoint glyph;
        int textLeft, textTop;
    };
    const Case cases[] = {
        {TButtonLayout::blGlyphLeft, -1, {25, 12}, 45, 13},
        {TButtonLayout::blGlyphLeft, 3, {3, 12}, 23, 13},
        {TButtonLayout::blGlyphRight, -1, {59, 12}, 25, 13},
        {TButtonLayout::blGlyphTop, -1, {42, 3}, 35, 23},
        {TButtonLayout::blGlyphBottom, 2, {42, 19}, 35, 2},
    };
    for (const auto& k : cases) {
        const ButtonContent b = LayoutButtonContent(c, g, t, k.layout, k.margin, 4);
        EXPECT_EQ(b.glyph, k.glyph) << int(k.layout) << "/" << k.margin;
        EXPECT_EQ(b.text.left, k.textLeft) << int(k.layout);
        EXPECT_EQ(b.text.top, k.textTop) << int(k.layout);
    }
    // Glyph alone: centred, no spacing.
    EXPECT_EQ(LayoutButtonContent(c, g, {}, TButtonLayout::blGlyphLeft, -1, 4).glyph, (DockPoint{42, 12}));
}

TEST(ButtonRules, DropdownPartAndAnchor) {
    EXPECT_TRUE(DropdownPartHit(2, 40, true, false));
    EXPECT_FALSE(DropdownPartHit(28, 40, true, true));
    EXPECT_TRUE(DropdownPartHit(29, 40, true, true));
    EXPECT_FALSE(DropdownPartHit(35, 40, false, false));
    const DockRect b{100, 50, 140, 72};
    EXPECT_EQ(DropdownAnchor(DockSide::Top, b), (PopupAnchor{{100, 72}, false}));
    EXPECT_EQ(DropdownAnchor(DockSide::None, b), (PopupAnchor{{100, 72}, false}));
    EXPECT_EQ(DropdownAnchor(DockSide::Left, b), (PopupAnchor{{140, 50}, false}));
    EXPECT_EQ(DropdownAnchor(DockSide::Right, b), (PopupAnchor{{100, 50}, true}));
}

}  // namespace
}  // namespace kv::ui
