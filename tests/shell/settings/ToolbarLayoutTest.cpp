#include "shell/settings/ToolbarLayout.h"

#include <gtest/gtest.h>

namespace kv {
namespace {

using Bytes = std::vector<std::uint8_t>;
constexpr std::uint8_t M = kToolbarMarker;

// Buttons 10 and 11, a separator, buttons 12 and 13 (tag -3 is stored as 253).
const ToolbarControl kControls[] = {
    {10, true, 0}, {11, true, 25}, {0, false, 50}, {12, true, 58}, {-3, true, 83},
};

TEST(ToolbarLayout, TheDefaultIsTheToolbarOrderThenTheMarker) {
    EXPECT_EQ(DefaultToolbarLayout(kControls), (Bytes{10, 11, 0, 12, 253, M}));
    EXPECT_EQ(NormalizeToolbarLayout({}, kControls), DefaultToolbarLayout(kControls));
}

TEST(ToolbarLayout, StoredLayoutsAreMadeToFitTheToolbar) {
    const std::vector<std::pair<Bytes, Bytes>> cases{
        // Kept as stored when every button is there.
        {{253, 0, 12, M, 11, 10}, {253, 0, 12, M, 11, 10}},
        // An unknown tag, a repeated button and a second marker are dropped;
        // the missing buttons go after their nearest stored neighbour left.
        {{11, 99, 11, M, 10, M}, {11, 12, 253, M, 10}},
        // A button with nothing stored to its left goes to the front; a marker is added.
        {{12, 0, 0}, {10, 11, 12, 253, 0, 0, M}},
        // Neighbours hidden after the marker do not count.
        {{M, 11, 12}, {10, 253, M, 11, 12}},
    };
    for (const auto& [stored, fitted] : cases) EXPECT_EQ(NormalizeToolbarLayout(stored, kControls), fitted);
}

TEST(ToolbarLayout, InsertPositionLooksLeftPastControlsTheLayoutLacks) {
    const Bytes layout{10, 0, 253, M};
    EXPECT_EQ(FindToolbarInsertPos(layout, kControls, 3), 1u);  // past the separator and 11 to 10
    EXPECT_EQ(FindToolbarInsertPos(layout, kControls, 0), 0u);
    EXPECT_EQ(DropRepeatedToolbarEntries(Bytes{0, 10, 0, M, 10, M, 0}), (Bytes{0, 10, 0, M, 0}));
}

}  // namespace
}  // namespace kv
