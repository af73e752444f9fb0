#include <gtest/gtest.h>

#include "ui/Canvas.h"
#include "ui/DragOutline.h"
#include "ui/PaintMessage.h"

namespace {

using namespace kv::ui;

TEST(DragOutline, HalftoneFrameInvertsAndDrawsBackAway) {
    BitmapCanvas shot(40, 30);
    shot.canvas().setBrushColor(RGB(255, 255, 255));
    shot.canvas().fillRect({0, 0, 40, 30});
    auto brush = makeHalftoneBrush();
    const RECT r{5, 5, 35, 25};
    invertFrame(shot.dc(), r, 3, brush.get());
    // Every other pixel of the frame is inverted, the inside untouched.
    EXPECT_NE(shot.pixel(5, 5), shot.pixel(6, 5));
    EXPECT_TRUE(shot.pixel(5, 5) == RGB(0, 0, 0) || shot.pixel(6, 5) == RGB(0, 0, 0));
    EXPECT_EQ(shot.pixel(20, 15), RGB(255, 255, 255));
    EXPECT_EQ(shot.pixel(2, 2), RGB(255, 255, 255));
    invertFrame(shot.dc(), r, 3, brush.get());
    EXPECT_EQ(shot.pixelsUnlike(RGB(255, 255, 255)), 0);
    // A frame thicker than the rectangle inverts it whole, once.
    invertFrame(shot.dc(), {0, 0, 4, 4}, 3, brush.get());
    invertFrame(shot.dc(), {0, 0, 4, 4}, 3, brush.get());
    EXPECT_EQ(shot.pixelsUnlike(RGB(255, 255, 255)), 0);
    // The screen outline comes and goes without failing.
    DragOutline outline;
    outline.move({10, 10, 100, 60}, 3);
    outline.move({20, 10, 110, 60}, 1);
    outline.hide();
}

TEST(PaintMessage, PrintClientPaintsIntoTheGivenDc) {
    BitmapCanvas shot(4, 4);
    HDC seen = nullptr;
    EXPECT_TRUE(handlePaintMessage(nullptr, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(shot.dc()), [&](HDC dc) { seen = dc; }));
    EXPECT_EQ(seen, shot.dc());
    EXPECT_FALSE(handlePaintMessage(nullptr, WM_SIZE, 0, [&](HDC) { FAIL(); }));
}

}  // namespace
