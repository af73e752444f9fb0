#include "controls/docks/DockArrange.h"

#include <gtest/gtest.h>

#include <limits>

namespace kv::ui {
namespace {

struct Placed {
    int row, pos;
};

std::vector<Placed> arrange(const std::vector<DockBarInput>& bars, DockArrangeOptions o, int* thickness = nullptr) {
    const DockArrangement a = ArrangeDock(bars, o);
    if (thickness) *thickness = a.thickness;
    std::vector<Placed> out;
    for (const auto& b : a.bars) out.push_back({b.row, b.pos});
    return out;
}

TEST(DockArrange, RowsAndPositionsTable) {
    const int big = std::numeric_limits<int>::max();
    struct Case {
        const char* what;
        std::vector<DockBarInput> bars;
        bool oneRow;
        std::vector<Placed> expected;
    };
    const Case cases[] = {
        {"same place: second pushed along", {{0, 10, 100, 23}, {0, 10, 50, 23}}, false, {{0, 10}, {0, 110}}},
        {"beyond the end: pulled back", {{0, 900, 100, 23}}, false, {{0, 400}}},
        {"gap rows close up", {{0, 0, 50, 23}, {2, 0, 50, 23}}, false, {{0, 0}, {1, 0}}},
        {"one row: no overlaps", {{0, 0, 100, 23}, {1, 0, 100, 23}, {2, 0, 100, 23}}, true,
         {{0, 0}, {0, 100}, {0, 200}}},
        {"row longer than the dock starts at 0", {{0, 0, 300, 23}, {0, 0, 300, 23}}, false, {{0, 0}, {0, 300}}},
        {"hostile rows and positions", {{big, big, 50, 23}, {-5, -100, 50, 23}, {big - 1, 0, 50, 23}}, false,
         {{2, 450}, {0, 0}, {1, 0}}},
        {"unsorted input keeps its index", {{1, 0, 60, 23}, {0, 20, 60, 23}, {0, 0, 60, 23}}, false,
         {{1, 0}, {0, 60}, {0, 0}}},
    };
    for (const auto& c : cases) {
        DockArrangeOptions o;
        o.clientLength = 500;
        o.limitToOneRow = c.oneRow;
        const auto got = arrange(c.bars, o);
        ASSERT_EQ(got.size(), c.expected.size()) << c.what;
        for (std::size_t i = 0; i < got.size(); ++i) {
            EXPECT_EQ(got[i].row, c.expected[i].row) << c.what << " #" << i;
            EXPECT_EQ(got[i].pos, c.expected[i].pos) << c.what << " #" << i;
        }
    }
}

TEST(DockArrange, ThicknessStacksRowsOfTheThickestBar) {
    DockArrangeOptions o;
    o.clientLength = 500;
    const auto a = ArrangeDock({{0, 0, 50, 23}, {0, 60, 50, 30}, {3, 0, 50, 2}}, o);
    EXPECT_EQ(a.rowThickness, (std::vector<int>{34, 12}));
    EXPECT_EQ(a.bars[2].rowStart, 34);
    EXPECT_EQ(a.bars[2].thickness, 12);
    EXPECT_EQ(a.thickness, 46);
    o.boundLines = 2;
    EXPECT_EQ(ArrangeDock({{0, 0, 50, 23}}, o).thickness, 29);
}

TEST(DockArrange, EmptyDockTakesNoSpaceUnlessFixed) {
    DockArrangeOptions o;
    EXPECT_EQ(ArrangeDock({}, o).thickness, 0);
    o.fixAlign = true;
    EXPECT_EQ(ArrangeDock({}, o).thickness, 1);
}

}  // namespace
}  // namespace kv::ui
