#include "shell/setup/ToolbarCustomizer.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace kv {
namespace {

using Layout = std::vector<std::uint8_t>;
constexpr std::uint8_t S = 0;    // separator
constexpr std::uint8_t M = 255;  // marker

enum class Op { Up, Down, Remove, AddSeparator, Insert };

struct Case {
    std::string what;
    Layout layout;
    int selected;
    Op op;
    int at;  // Insert: the place clicked
    Layout expected;
    int selectedAfter;  // -1: refused
};

TEST(ToolbarCustomizer, EditsKeepSeparatorsBetweenButtons) {
    const std::vector<Case> cases = {
        {"up", {1, 2, S, 3, M, 4}, 1, Op::Up, 0, {2, 1, S, 3, M, 4}, 0},
        {"up on the first entry", {1, 2, M}, 0, Op::Up, 0, {1, 2, M}, -1},
        {"down on the last used entry", {1, 2, M, 3}, 1, Op::Down, 0, {1, 2, M, 3}, -1},
        {"a separator at index 1 cannot go up", {1, S, 2, M}, 1, Op::Up, 0, {1, S, 2, M}, -1},
        {"a separator moved next to another goes", {1, S, 2, S, 3, M}, 3, Op::Up, 0, {1, S, 2, 3, M}, 2},
        {"removing the only button between separators removes one",
         {1, S, 2, S, 3, M, 4}, 2, Op::Remove, 0, {1, S, 3, M, 4, 2}, 2},
        {"removing the first button drops the separator left first", {1, S, 2, M}, 0, Op::Remove, 0, {2, M, 1}, 0},
        {"removing the last button drops the separator left last", {1, S, 2, M}, 2, Op::Remove, 0, {1, M, 2}, 1},
        {"removing a separator", {1, S, 2, M}, 1, Op::Remove, 0, {1, 2, M}, 1},
        {"the marker cannot be removed", {1, M, 2}, 1, Op::Remove, 0, {1, M, 2}, -1},
        {"add separator", {1, 2, M}, 0, Op::AddSeparator, 0, {1, S, 2, M}, 1},
        {"add separator beside a separator", {1, S, 2, M}, 0, Op::AddSeparator, 0, {1, S, 2, M}, -1},
        {"add separator after the last used entry", {1, 2, M}, 1, Op::AddSeparator, 0, {1, 2, M}, -1},
        {"insert at the marker goes last among the used", {1, 2, M, 3, 4}, 4, Op::Insert, 2, {1, 2, 4, M, 3}, 2},
        {"insert at the front", {1, 2, M, 3}, 3, Op::Insert, 0, {3, 1, 2, M}, 0},
        {"a click below the marker does nothing", {1, M, 3, 4}, 3, Op::Insert, 2, {1, M, 3, 4}, -1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ToolbarCustomizer t(c.layout);
        int after = -1;
        switch (c.op) {
        case Op::Up: after = t.move(c.selected, -1); break;
        case Op::Down: after = t.move(c.selected, 1); break;
        case Op::Remove: after = t.remove(c.selected); break;
        case Op::AddSeparator: after = t.addSeparator(c.selected); break;
        case Op::Insert:
            ASSERT_GE(t.startInsert(c.selected), 0);
            after = t.insertAt(c.at);
            break;
        }
        EXPECT_EQ(t.entries(), c.expected);
        EXPECT_EQ(after, c.selectedAfter);
        EXPECT_EQ(t.entries()[t.marker()], M);
    }
}

TEST(ToolbarCustomizer, ButtonStatesFollowTheSelection) {
    ToolbarCustomizer t(Layout{1, S, 2, 3, M, 4});
    using F = CustomizerButtons::Function;
    struct Row {
        int selected;
        bool up, down, addSeparator;
        F function;
    };
    for (const Row& r : {Row{0, false, true, false, F::Remove}, Row{1, false, true, false, F::Remove},
                         Row{2, true, true, true, F::Remove}, Row{3, true, false, false, F::Remove},
                         Row{4, false, false, false, F::None}, Row{5, false, false, false, F::Add},
                         Row{-1, false, false, false, F::None}}) {
        SCOPED_TRACE(r.selected);
        const CustomizerButtons b = t.buttonsFor(r.selected);
        EXPECT_EQ(b.up, r.up);
        EXPECT_EQ(b.down, r.down);
        EXPECT_EQ(b.addSeparator, r.addSeparator);
        EXPECT_EQ(b.function, r.function);
    }
}

TEST(ToolbarCustomizer, AStoredLayoutIsMadeWhole) {
    // No marker, separators first, doubled and among the unused.
    ToolbarCustomizer t(Layout{S, 1, S, S, 2, S});
    EXPECT_EQ(t.entries(), (Layout{1, S, 2, M}));
    ToolbarCustomizer unused(Layout{1, M, S, 2});
    EXPECT_EQ(unused.entries(), (Layout{1, M, 2}));
}

TEST(ToolbarCustomizer, InsertModeEndsWithTheInsertOrACancel) {
    ToolbarCustomizer t(Layout{1, 2, M, 3});
    EXPECT_EQ(t.startInsert(1), -1) << "only unused buttons are added";
    EXPECT_EQ(t.startInsert(3), 1) << "the last used entry is selected meanwhile";
    EXPECT_TRUE(t.inserting());
    t.cancelInsert();
    EXPECT_FALSE(t.inserting());
    EXPECT_EQ(t.insertAt(0), -1);
    EXPECT_EQ(t.entries(), (Layout{1, 2, M, 3}));
}

}  // namespace
}  // namespace kv
