#include "shell/app/WindowPos.h"

#include <gtest/gtest.h>

#include <vector>

namespace kv {
namespace {

TEST(WindowPos, RoundTripsAndPacksTheSortByte) {
    WindowPos pos{{-10, 20, 640, 480}, 213, 1, {2, 7, true}};
    const auto bytes = EncodeWindowPos(pos);
    EXPECT_EQ(bytes[0], 0xF6);
    EXPECT_EQ(bytes[3], 0xFF);
    EXPECT_EQ(bytes[16], 213);
    for (int i = 20; i < 28; ++i)
        EXPECT_EQ(bytes[i], 0) << i;
    EXPECT_EQ(bytes[28], 1);
    EXPECT_EQ(bytes[29], 0xBA);
    EXPECT_EQ(DecodeWindowPos(bytes), pos);

    EXPECT_EQ(DecodeSortByte(0xBA), (SortState{2, 7, true}));
    // Bit 6 belongs to nothing: it is dropped, not read as a column.
    EXPECT_EQ(DecodeSortByte(0x49), (SortState{1, 1, false}));
}

TEST(WindowPos, OnlyExactlyThirtyBytesDecode) {
    for (std::size_t size : {0u, 29u, 31u}) {
        std::vector<std::uint8_t> bytes(size, 1);
        EXPECT_FALSE(DecodeWindowPos(bytes)) << size;
    }
    std::vector<std::uint8_t> bytes(30, 0);
    EXPECT_TRUE(DecodeWindowPos(bytes));
    bytes[28] = 9;  // no such view style
    EXPECT_EQ(DecodeWindowPos(bytes)->viewStyle, kDefaultViewStyle);
}

TEST(WindowPos, StoredBoundsAreUsedOnlyWhenReachableAndOfSensibleSize) {
    const ScreenArea screen{0, 0, 1024, 768};
    struct Case {
        FormBounds bounds;
        bool usable;
    } cases[] = {
        {{100, 100, 640, 480}, true},
        {{-600, -400, 640, 480}, true},   // partly on screen
        {{2000, 100, 640, 480}, false},   // a monitor that is gone
        {{100, -900, 640, 480}, false},
        {{100, 100, 0, 480}, false},
        {{100, 100, 640, -5}, false},
        {{100, 100, 30, 20}, false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(UsableWindowBounds(c.bounds, screen), c.usable) << c.bounds.left << "," << c.bounds.top;
}

}  // namespace
}  // namespace kv
