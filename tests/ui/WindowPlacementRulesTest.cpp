#include "ui/WindowPlacementRules.h"

#include <gtest/gtest.h>

namespace kv {
namespace {

TEST(WindowPlacementRules, CodecIsTwentyLittleEndianWords) {
    const SavedPlacement p{{-4, 10, 640, 480}, -1};
    const auto bytes = EncodePlacement(p);
    const std::array<std::uint8_t, 20> expected = {0xFC, 0xFF, 0xFF, 0xFF, 10, 0, 0, 0, 0x80, 2,
                                                   0,    0,    0xE0, 1,    0, 0, 0xFF, 0xFF, 0xFF, 0xFF};
    EXPECT_EQ(bytes, expected);
    EXPECT_EQ(DecodePlacement(bytes), p);
    EXPECT_FALSE(DecodePlacement(std::span(bytes).first(19)));
    const std::array<std::uint8_t, 21> longer{};
    EXPECT_FALSE(DecodePlacement(longer));
}

TEST(WindowPlacementRules, MaximisedWindowIsStoredAsTheScreen) {
    EXPECT_EQ(AdjustMaximisedBounds({-4, -4, 1032, 776}, 1032, 776), (FormBounds{0, 0, 1024, 768}));
    EXPECT_EQ(AdjustMaximisedBounds({10, 20, 800, 600}, 1032, 776), (FormBounds{10, 20, 800, 600}));
    EXPECT_EQ(AdjustMaximisedBounds({INT32_MIN, 0, 5, 5}, 5, 5), (FormBounds{0, 0, 0, 5}));
}

TEST(WindowPlacementRules, OnlyAWindowTouchingTheScreenIsRestored) {
    const ScreenArea screen{0, 0, 1024, 768};
    struct Case {
        FormBounds b;
        bool visible;
    };
    const Case cases[] = {
        {{100, 100, 400, 300}, true},    {{-399, 100, 400, 300}, true},   {{-400, 100, 400, 300}, true},
        {{-401, 100, 400, 300}, false},  {{1024, 100, 400, 300}, false},  {{1023, 767, 10, 10}, true},
        {{100, 768, 400, 300}, false},   {{100, -2000, 400, 300}, false}, {{INT32_MAX, INT32_MAX, INT32_MAX, 1}, false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(IsPlacementVisible(c.b, screen), c.visible) << c.b.left << "," << c.b.top;
    // A second monitor to the left: the virtual screen starts below zero.
    EXPECT_TRUE(IsPlacementVisible({-1500, 100, 400, 300}, {-1920, 0, 1920 + 1024, 1080}));
}

}  // namespace
}  // namespace kv
