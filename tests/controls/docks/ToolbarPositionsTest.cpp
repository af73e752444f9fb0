#include "controls/docks/ToolbarPositions.h"

#include <gtest/gtest.h>

#include "system/settings/MemorySectionStore.h"

namespace kv::ui {
namespace {

TEST(ToolbarPositions, RoundTripDockedAndFloating) {
    MemorySectionStore store;
    ToolbarPosition docked{true, "DocksLeft", 2, 40, {10, 20, 110, 60}, 90};
    ToolbarPosition floating{false, "nil", 0, -1, {300, 200, 400, 260}, 120};
    ASSERT_TRUE(WriteToolbarPosition(store, "Toolbar", docked));
    ASSERT_TRUE(WriteToolbarPosition(store, "Other", floating));
    EXPECT_EQ(ReadToolbarPosition(store, "Toolbar", {}), docked);
    EXPECT_EQ(ReadToolbarPosition(store, "Other", {}), floating);
}

TEST(ToolbarPositions, UndraggableDockKeepsOnlyVisible) {
    MemorySectionStore store;
    ASSERT_TRUE(WriteToolbarPosition(store, "Toolbar", {false, "", 3, 4, {1, 2, 3, 4}, 5}));
    const auto values = store.ReadSectionValues("Toolbar");
    ASSERT_EQ(values.size(), 1u);
    EXPECT_EQ(values[0], (SectionValue{"Visible", "0"}));
    // Nothing beyond "Visible" is read back either: the rest stays as it is.
    ToolbarPosition current{true, "DocksTop", 1, 7, {}, 0};
    const auto read = ReadToolbarPosition(store, "Toolbar", current);
    EXPECT_FALSE(read.visible);
    EXPECT_EQ(read.dockedTo, "");
    EXPECT_EQ(read.dockRow, 1);
    EXPECT_EQ(read.dockPos, 7);
}

TEST(ToolbarPositions, HostileValuesAreClampedAndOrdered) {
    MemorySectionStore store;
    store.WriteString("T", "DockedTo", "DocksTop");
    store.WriteInteger("T", "DockRow", 2147483647);
    store.WriteInteger("T", "DockPos", -2147483647);
    store.WriteInteger("T", "FloatLeft", 500);
    store.WriteInteger("T", "FloatRight", 100);
    store.WriteInteger("T", "FloatTop", 2000000000);
    store.WriteString("T", "FloatBottom", "junk");
    store.WriteString("T", "FloatRightX", "-3");
    const auto p = ReadToolbarPosition(store, "T", {});
    EXPECT_EQ(p.dockRow, kMaxStoredDockRow);
    EXPECT_EQ(p.dockPos, -1);
    EXPECT_EQ(p.floatRect, (DockRect{100, 0, 500, kMaxStoredDockPos}));
    EXPECT_EQ(p.floatRightX, 0);
}

}  // namespace
}  // namespace kv::ui
