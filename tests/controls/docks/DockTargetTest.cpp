#include "controls/docks/DockTarget.h"

#include <gtest/gtest.h>

#include "controls/docks/DockGeometry.h"
#include "controls/docks/FloatingFrame.h"

namespace kv::ui {
namespace {

// A 800 x 600 form at (100, 100): top dock with one 27-pixel row, an empty
// bottom dock, an empty left dock below the top one.
std::vector<DockTargetCandidate> formDocks() {
    return {
        {{100, 100, 900, 127}, false, true, {27}},
        {{100, 700, 900, 700}, false, true, {}},
        {{100, 127, 100, 700}, true, true, {}},
    };
}

DragState grabbedAtLeftMiddle() {
    DragState d;
    d.grab = {5, 13};
    d.current = {100, 27};
    d.horizontal = {100, 27};
    d.vertical = {27, 100};
    d.floating = {110, 45};
    return d;
}

TEST(DockTarget, Table) {
    struct Case {
        const char* what;
        DockPoint cursor;
        bool ctrl, leftRight;
        int dock, row, pos;
    };
    const Case cases[] = {
        {"over the top row", {300, 110}, false, true, 0, 0, 195},
        {"below the top row: a new row", {300, 130}, false, true, 0, 1, 195},
        {"ctrl floats", {300, 110}, true, true, -1, 0, 0},
        {"empty bottom dock still catches", {300, 700}, false, true, 1, 0, 195},
        {"left dock", {90, 300}, false, true, 2, 0, 124},
        {"left dock refused", {90, 300}, false, false, -1, 0, 0},
        {"middle of the form floats", {500, 400}, false, true, -1, 0, 0},
    };
    for (const auto& c : cases) {
        DragState d = grabbedAtLeftMiddle();
        d.canDockLeftRight = c.leftRight;
        const DockTarget t = FindDockTarget(formDocks(), d, c.cursor, c.ctrl);
        EXPECT_EQ(t.dock, c.dock) << c.what;
        if (t.dock < 0) {
            EXPECT_EQ(t.outline, (DockRect{c.cursor.x - 5, c.cursor.y - 22, c.cursor.x + 105, c.cursor.y + 23})) << c.what;
            continue;
        }
        EXPECT_EQ(t.row, c.row) << c.what;
        EXPECT_EQ(t.pos, c.pos) << c.what;
    }
}

TEST(DockTarget, GrabPointShiftsTheZoneAndOneWidePixelIsSafe) {
    DragState d = grabbedAtLeftMiddle();
    // Grabbed at the right edge: the zone reaches 32 pixels right of the dock.
    d.grab = {99, 13};
    std::vector<DockTargetCandidate> docks = {{{100, 100, 300, 127}, false, true, {27}}};
    EXPECT_EQ(FindDockTarget(docks, d, {330, 110}, false).dock, 0);
    EXPECT_EQ(FindDockTarget(docks, d, {333, 110}, false).dock, -1);
    d.grab = {0, 13};
    EXPECT_EQ(FindDockTarget(docks, d, {330, 110}, false).dock, -1);
    EXPECT_EQ(FindDockTarget(docks, d, {70, 110}, false).dock, 0);
    d.current = {1, 1};
    d.grab = {0, 0};
    // A one-pixel toolbar divides by no zero and still lands where the cursor is.
    const DockTarget t = FindDockTarget(docks, d, {150, 110}, false);
    EXPECT_EQ(t.dock, 0);
    EXPECT_EQ(t.pos, 50);
}

// Grabbed by the floating caption, above the toolbar: the catch zones count
// the press as the toolbar's top edge, so the empty dock at the client's top
// catches the cursor there, and a floating outline keeps the window where the
// caption was grabbed.
TEST(DockTarget, GrabbedByTheFloatingCaption) {
    DragState d = grabbedAtLeftMiddle();
    d.grab = {20, -12};
    d.floatGrab = DockPoint{24, 8};
    const std::vector<DockTargetCandidate> emptyTop = {{{100, 100, 900, 100}, false, true, {}}};
    EXPECT_EQ(FindDockTarget(emptyTop, d, {300, 100}, false).dock, 0);
    EXPECT_EQ(FindDockTarget(emptyTop, d, {300, 85}, false).dock, 0);
    const DockTarget floating = FindDockTarget(emptyTop, d, {500, 400}, false);
    EXPECT_EQ(floating.dock, -1);
    EXPECT_EQ(floating.outline, (DockRect{476, 392, 476 + 110, 392 + 45}));
}

TEST(DockGeometry, MoveOnScreen) {
    const DockRect work{0, 0, 1024, 768};
    struct Case {
        DockRect in, out;
    };
    const Case cases[] = {
        {{5000, 5000, 5100, 5040}, {924, 728, 1024, 768}},
        {{-50, 10, 50, 50}, {0, 10, 100, 50}},
        {{10, -20, 110, 20}, {10, 0, 110, 40}},
        {{-10, -10, 2000, 1000}, {0, 0, 2010, 1010}},  // larger than the area: left and top win
        {{110, 50, 10, 20}, {10, 20, 110, 50}},         // stored upside down
    };
    for (const auto& c : cases) EXPECT_EQ(MoveRectOnScreen(c.in, work), c.out);
    EXPECT_EQ(MoveRectOnScreenIfHidden({-50, 10, 50, 50}, work), (DockRect{-50, 10, 50, 50}));
    EXPECT_EQ(MoveRectOnScreenIfHidden({-150, 10, -50, 50}, work), (DockRect{0, 10, 100, 50}));
}

TEST(DockGeometry, TileOriginFollowsTheFormGrid) {
    struct Case {
        DockPoint offset;
        DockSize tile;
        DockPoint origin;
    };
    const Case cases[] = {
        {{0, 0}, {16, 8}, {0, 0}},
        {{20, 30}, {16, 8}, {-4, -6}},
        {{32, 8}, {16, 8}, {0, 0}},
        {{-5, -1}, {16, 8}, {-11, -7}},  // a window left of or above the origin
        {{7, 7}, {0, -3}, {0, 0}},       // no tile
        {{2147483647, -2147483647 - 1}, {10, 7}, {-7, -5}},
    };
    for (const auto& c : cases) EXPECT_EQ(TileOrigin(c.offset, c.tile), c.origin) << c.offset.x << "," << c.offset.y;
}

TEST(FloatingFrame, CaptionTruncationKeepsFiveCharacters) {
    auto six = [](const std::string& s) { return static_cast<int>(s.size()) * 6; };
    EXPECT_EQ(TruncateCaption("Tools", 30, six), "Tools");
    EXPECT_EQ(TruncateCaption("Standard toolbar", 60, six), "Standar...");
    EXPECT_EQ(TruncateCaption("Standard toolbar", 6, six), "Stand...");
    EXPECT_EQ(TruncateCaption("abc", 6, six), "abc...");
}

TEST(FloatingFrame, HitTestHasEdgesButNoCorners) {
    const DockRect w{100, 100, 300, 160};
    const FloatFrameMetrics m;
    struct Case {
        DockPoint p;
        bool close;
        FloatHit hit;
    };
    const Case cases[] = {
        {{101, 130}, true, FloatHit::Left},   {{299, 130}, true, FloatHit::Right},
        {{200, 101}, true, FloatHit::Top},    {{200, 159}, true, FloatHit::Bottom},
        {{101, 101}, true, FloatHit::Left},   {{150, 110}, true, FloatHit::Client},
        {{289, 110}, true, FloatHit::Close},  {{289, 110}, false, FloatHit::Client},
        {{50, 50}, true, FloatHit::Nowhere},
    };
    for (const auto& c : cases) EXPECT_EQ(FloatHitTest(w, c.p, m, c.close), c.hit) << c.p.x << "," << c.p.y;
}

}  // namespace
}  // namespace kv::ui
