#include "UiFixture.h"

#include "base/Errors.h"
#include "ui/Canvas.h"
#include "ui/ResourceBitmap.h"

namespace {

using namespace kv::ui;

using ResourceBitmapTest = UiTest;

// UiTestResources.rc: the same 8 x 4 glyph by number and by name.
TEST_F(ResourceBitmapTest, LoadsByNumberAndNameAndDrawsWithoutItsBottomLeftColour) {
    kv::ui::GdiObject<HBITMAP> both[] = {loadBitmap(101), loadBitmap("TESTGLYPH")};
    for (const auto& bitmap : both) {
        SIZE size = bitmapSize(bitmap.get());
        EXPECT_EQ(size.cx, 8);
        EXPECT_EQ(size.cy, 4);
        EXPECT_EQ(transparentColor(bitmap.get()), RGB(255, 0, 255));

        BitmapCanvas target(10, 6);
        target.canvas().setBrushColor(RGB(0, 255, 0));
        target.canvas().fillRect({0, 0, 10, 6});
        target.canvas().draw(1, 1, bitmap.get(), true);
        EXPECT_EQ(target.pixel(1, 4), RGB(0, 255, 0));  // the see-through corner
        EXPECT_EQ(target.pixel(2, 4), RGB(200, 0, 0));
        EXPECT_EQ(target.pixel(8, 1), RGB(0, 0, 200));
        EXPECT_EQ(target.pixel(9, 5), RGB(0, 255, 0));  // outside the glyph
    }
}

TEST_F(ResourceBitmapTest, MissingResourceIsAnError) {
    EXPECT_THROW(loadBitmap(999), kv::Error);
    EXPECT_THROW(loadBitmap("NOSUCHBITMAP"), kv::Error);
    EXPECT_EQ(bitmapSize(nullptr).cx, 0);
    EXPECT_EQ(transparentColor(nullptr), CLR_INVALID);
}

}  // namespace
