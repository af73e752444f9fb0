#include "UiFixture.h"
#include "ui/Canvas.h"
#include "ui/Clipboard.h"
#include "ui/Form.h"
#include "ui/ImageList.h"
#include "ui/UiErrors.h"

namespace {

using namespace kv::ui;

using ImageListTest = UiTest;

TEST_F(ImageListTest, AddsDrawsAndNotifies) {
    ImageList images(16, 16);
    int changes = 0;
    images.onChange = [&](ImageList&) { ++changes; };
    BitmapCanvas strip(32, 16);
    strip.canvas().setBrushColor(RGB(255, 0, 255));
    strip.canvas().fillRect({0, 0, 32, 16});
    strip.canvas().setBrushColor(RGB(0, 0, 200));
    strip.canvas().fillRect({4, 4, 12, 12});
    HBITMAP copy = static_cast<HBITMAP>(CopyImage(strip.bitmap(), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
    EXPECT_EQ(images.addMasked(copy, RGB(255, 0, 255)), 0);
    DeleteObject(copy);
    EXPECT_EQ(images.count(), 2);
    EXPECT_EQ(images.width(), 16);
    EXPECT_EQ(changes, 1);

    BitmapCanvas target(16, 16);
    target.canvas().setBrushColor(RGB(9, 9, 9));
    target.canvas().fillRect({0, 0, 16, 16});
    images.draw(target.dc(), 0, 0, 0);
    EXPECT_EQ(target.pixel(8, 8), RGB(0, 0, 200));
    EXPECT_EQ(target.pixel(1, 1), RGB(9, 9, 9));  // masked out

    EXPECT_THROW(images.replace(7, nullptr), EInvalidOperation);
}

TEST_F(ImageListTest, SharedListsOutliveTheirWrapper) {
    HIMAGELIST system = ImageList_Create(16, 16, ILC_COLOR24, 1, 1);
    { ImageList shared(system, true); }
    EXPECT_EQ(ImageList_GetImageCount(system), 0);  // still a valid list
    EXPECT_TRUE(ImageList_Destroy(system));
}

TEST_F(ImageListTest, ClipboardTextRoundTrips) {
    Form form;
    form.createHandle();
    ASSERT_TRUE(setClipboardText(form.hwnd(), "http://example.org/\xE4"));
    EXPECT_EQ(clipboardText(form.hwnd()).value_or(""), "http://example.org/\xE4");
}

}  // namespace
