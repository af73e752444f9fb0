#include <gtest/gtest.h>

#include "search/reports/PreviewKeys.h"

namespace kv {
namespace {

// A page view 500 high over a page of 1000 (range), 400 wide over 800.
PreviewView At(int vert, bool canPrior = true, bool canNext = true, bool scrolls = true) {
    PreviewView v;
    v.vert = {vert, scrolls ? 1000 : 400, scrolls ? 500 : 500, scrolls};
    v.horz = {100, 800, 400, true};
    v.canPrior = canPrior;
    v.canNext = canNext;
    return v;
}

TEST(PreviewKeys, EachKeyOfTheTable) {
    using C = PreviewCommand;
    const struct {
        const char* what;
        PreviewKey key;
        bool ctrl;
        PreviewView view;
        C command;
        int vert, horz;
        bool consumed;
    } cases[] = {
        {"Esc closes", PreviewKey::Escape, false, At(0), C::Close, 0, 0, false},
        {"P prints", PreviewKey::P, false, At(0), C::Print, 0, 0, false},
        {"Ctrl+PgUp: first page", PreviewKey::PageUp, true, At(200), C::FirstPage, 0, 0, true},
        {"Ctrl+PgUp on page 1", PreviewKey::PageUp, true, At(200, false), C::None, 0, 0, true},
        {"PgUp scrolls up a view", PreviewKey::PageUp, false, At(300), C::Scroll, 0, 100, true},
        {"PgUp at the top of page 3", PreviewKey::PageUp, false, At(0), C::PriorPageBottom, 0, 0, true},
        {"PgUp at the top of page 1", PreviewKey::PageUp, false, At(0, false), C::None, 0, 0, true},
        {"PgUp without a scroll bar", PreviewKey::PageUp, false, At(0, true, true, false), C::PriorPageBottom, 0, 0,
         true},
        {"Ctrl+PgDn: last page", PreviewKey::PageDown, true, At(0), C::LastPage, 0, 0, true},
        {"PgDn scrolls down a view", PreviewKey::PageDown, false, At(100), C::Scroll, 500, 100, true},
        {"PgDn near the bottom stops there", PreviewKey::PageDown, false, At(400), C::Scroll, 500, 100, true},
        {"PgDn at the bottom: next page", PreviewKey::PageDown, false, At(500), C::NextPage, 0, 0, true},
        {"PgDn at the bottom of the last page", PreviewKey::PageDown, false, At(500, true, false), C::None, 0, 0, true},
        {"Home", PreviewKey::Home, false, At(300), C::Scroll, 0, 100, false},
        {"End", PreviewKey::End, false, At(0), C::Scroll, 500, 100, false},
        {"Up: a 50th of the range", PreviewKey::Up, false, At(300), C::Scroll, 280, 100, true},
        {"Up at the top", PreviewKey::Up, false, At(0), C::Scroll, 0, 100, true},
        {"Down", PreviewKey::Down, false, At(300), C::Scroll, 320, 100, true},
        {"Down at the bottom", PreviewKey::Down, false, At(500), C::Scroll, 500, 100, true},
        {"Left", PreviewKey::Left, false, At(300), C::Scroll, 300, 84, true},
        {"Right", PreviewKey::Right, false, At(300), C::Scroll, 300, 116, true},
        {"other keys pass", PreviewKey::Other, false, At(300), C::None, 0, 0, false},
    };
    for (const auto& c : cases) {
        const PreviewKeyAction a = PreviewKeyFor(c.key, c.ctrl, c.view);
        EXPECT_EQ(a.command, c.command) << c.what;
        EXPECT_EQ(a.consumed, c.consumed) << c.what;
        if (c.command == C::Scroll) {
            EXPECT_EQ(a.vert, c.vert) << c.what;
            EXPECT_EQ(a.horz, c.horz) << c.what;
        }
    }
}

}  // namespace
}  // namespace kv
