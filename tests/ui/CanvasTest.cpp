#include "UiFixture.h"
#include "ui/Button.h"
#include "ui/Canvas.h"
#include "ui/Form.h"

namespace {

using namespace kv::ui;

using CanvasTest = UiTest;

TEST_F(CanvasTest, DrawsShapesAndTextIntoABitmap) {
    BitmapCanvas bmp(64, 32);
    Canvas& c = bmp.canvas();
    c.setBrushColor(RGB(255, 255, 255));
    c.fillRect({0, 0, 64, 32});
    EXPECT_EQ(bmp.pixelsUnlike(RGB(255, 255, 255)), 0);
    c.setBrushColor(RGB(255, 0, 0));
    c.fillRect({2, 2, 6, 6});
    EXPECT_EQ(bmp.pixel(3, 3), RGB(255, 0, 0));
    EXPECT_EQ(bmp.pixel(7, 7), RGB(255, 255, 255));
    c.setPen(RGB(0, 0, 255));
    c.moveTo(0, 20);
    c.lineTo(64, 20);
    EXPECT_EQ(bmp.pixel(30, 20), RGB(0, 0, 255));
    EXPECT_GT(c.textWidth("Korvalder"), c.textWidth("K"));
    EXPECT_EQ(bmp.pixel(-1, 0), CLR_INVALID);
}

TEST_F(CanvasTest, TransparentDrawKeepsWhatIsUnderTheBottomLeftColour) {
    BitmapCanvas glyph(4, 4);
    glyph.canvas().setBrushColor(RGB(255, 0, 255));
    glyph.canvas().fillRect({0, 0, 4, 4});
    glyph.canvas().setPixel(1, 1, RGB(0, 128, 0));
    BitmapCanvas target(8, 8);
    target.canvas().setBrushColor(RGB(10, 20, 30));
    target.canvas().fillRect({0, 0, 8, 8});
    // The glyph must not be selected elsewhere while it is drawn.
    HBITMAP copy = static_cast<HBITMAP>(CopyImage(glyph.bitmap(), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
    target.canvas().draw(2, 2, copy, true);
    DeleteObject(copy);
    EXPECT_EQ(target.pixel(3, 3), RGB(0, 128, 0));
    EXPECT_EQ(target.pixel(2, 2), RGB(10, 20, 30));
    EXPECT_EQ(target.pixel(5, 5), RGB(10, 20, 30));
}

TEST_F(CanvasTest, DrawStateDrawsNormalAndDisabledImagesApart) {
    BitmapCanvas glyph(8, 8);
    glyph.canvas().setBrushColor(RGB(255, 255, 255));
    glyph.canvas().fillRect({0, 0, 8, 8});
    glyph.canvas().setBrushColor(RGB(0, 0, 0));
    glyph.canvas().fillRect({2, 2, 6, 6});
    HBITMAP copy = static_cast<HBITMAP>(CopyImage(glyph.bitmap(), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
    BitmapCanvas normal(16, 16), disabled(16, 16);
    for (BitmapCanvas* b : {&normal, &disabled}) {
        b->canvas().setBrushColor(RGB(192, 192, 192));
        b->canvas().fillRect({0, 0, 16, 16});
    }
    normal.canvas().drawState(copy, 4, 4, DSS_NORMAL);
    disabled.canvas().drawState(copy, 4, 4, DSS_DISABLED);
    DeleteObject(copy);
    EXPECT_EQ(normal.pixel(7, 7), RGB(0, 0, 0));
    EXPECT_NE(disabled.pixel(7, 7), RGB(0, 0, 0));
    EXPECT_GT(disabled.pixelsUnlike(RGB(192, 192, 192)), 0);
}

TEST_F(CanvasTest, FrameControlsAndCaptionsComeFromTheSystem) {
    BitmapCanvas bmp(40, 20);
    Canvas& c = bmp.canvas();
    c.setBrushColor(RGB(1, 2, 3));
    c.fillRect({0, 0, 40, 20});
    c.drawFrameControl({0, 0, 16, 14}, DFC_CAPTION, DFCS_CAPTIONCLOSE);
    EXPECT_EQ(bmp.pixel(20, 10), RGB(1, 2, 3));  // nothing outside the rectangle
    EXPECT_GT(bmp.pixelsUnlike(RGB(1, 2, 3)), 100);

    BitmapCanvas bar(80, 16);
    bar.canvas().setBrushColor(RGB(1, 2, 3));
    bar.canvas().fillRect({0, 0, 80, 16});
    EXPECT_FALSE(bar.canvas().drawCaption(nullptr, {0, 0, 80, 16}, DC_ACTIVE | DC_TEXT));
    EXPECT_EQ(bar.pixelsUnlike(RGB(1, 2, 3)), 0);
    Form form;
    form.setBounds(0, 0, 200, 120);
    form.setText("Caption");
    form.createHandle();
    EXPECT_TRUE(bar.canvas().drawCaption(form.hwnd(), {0, 0, 80, 16}, DC_ACTIVE | DC_SMALLCAP | DC_TEXT));
    EXPECT_GT(bar.pixelsUnlike(RGB(1, 2, 3)), 100);
}

TEST_F(CanvasTest, RenderedWindowIsNotBlank) {
    Form form;
    form.setBounds(0, 0, 200, 120);
    Button b;
    b.setText("Press");
    b.setBounds(10, 10, 100, 30);
    b.create(&form);
    form.show();
    BitmapCanvas shot(200, 120);
    renderWindow(form.hwnd(), shot);
    EXPECT_GT(shot.pixelsUnlike(shot.pixel(100, 100)), 50);
}

}  // namespace
