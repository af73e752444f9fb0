#include "UiFixture.h"
#include "ui/IconOutline.h"

namespace {

using namespace kv::ui;

// A 16 x 16 icon whose only opaque pixels are a white square at (6,6)-(9,9).
HICON SquareIcon() {
    HDC screen = GetDC(nullptr);
    HBITMAP colour = CreateCompatibleBitmap(screen, 16, 16);
    ReleaseDC(nullptr, screen);
    HBITMAP mask = CreateBitmap(16, 16, 1, 1, nullptr);
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(dc, mask);
    PatBlt(dc, 0, 0, 16, 16, WHITENESS);
    PatBlt(dc, 6, 6, 4, 4, BLACKNESS);
    SelectObject(dc, colour);
    PatBlt(dc, 0, 0, 16, 16, BLACKNESS);
    PatBlt(dc, 6, 6, 4, 4, WHITENESS);
    SelectObject(dc, old);
    DeleteDC(dc);
    ICONINFO info{TRUE, 0, 0, mask, colour};
    HICON icon = CreateIconIndirect(&info);
    DeleteObject(mask);
    DeleteObject(colour);
    return icon;
}

COLORREF PixelOf(HBITMAP bitmap, int x, int y) {
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(dc, bitmap);
    const COLORREF c = GetPixel(dc, x, y);
    SelectObject(dc, old);
    DeleteDC(dc);
    return c;
}

using IconOutlineTest = UiTest;

TEST_F(IconOutlineTest, TheIconGetsARingAroundItsShape) {
    HICON icon = SquareIcon();
    ASSERT_TRUE(icon);
    IconOutline out = IconOutlineBitmap(icon, 16);
    ASSERT_TRUE(out.image.get() && out.mask.get());
    const COLORREF opaque = RGB(0, 0, 0), clear = RGB(255, 255, 255);
    // The square itself, the ring next to it, nothing further out (nor diagonally).
    EXPECT_EQ(PixelOf(out.mask.get(), 7, 7), opaque);
    EXPECT_EQ(PixelOf(out.image.get(), 7, 7), RGB(255, 255, 255));
    EXPECT_EQ(PixelOf(out.mask.get(), 5, 7), opaque);
    EXPECT_EQ(PixelOf(out.mask.get(), 10, 9), opaque);
    EXPECT_EQ(PixelOf(out.image.get(), 5, 7), RGB(32, 32, 32));
    EXPECT_EQ(PixelOf(out.mask.get(), 4, 7), clear);
    EXPECT_EQ(PixelOf(out.mask.get(), 5, 5), clear);
    EXPECT_EQ(PixelOf(out.image.get(), 0, 0), RGB(0, 0, 0));

    HIMAGELIST drag = IconDragImage(icon, 16);
    ASSERT_TRUE(drag);
    EXPECT_EQ(ImageList_GetImageCount(drag), 1);
    ImageList_Destroy(drag);
    DestroyIcon(icon);

    EXPECT_FALSE(IconOutlineBitmap(nullptr, 16).image.get());
    EXPECT_EQ(IconDragImage(nullptr, 16), nullptr);
}

}  // namespace
