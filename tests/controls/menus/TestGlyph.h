#pragma once
// A two-image button glyph made in memory: magenta ground (transparent, as its
// bottom-left pixel), a red square in the enabled image, a blue one in the disabled.
#include <windows.h>

#include "controls/menus/GlyphMenuItemsWin32.h"

namespace kv::test {

inline constexpr COLORREF kGround = RGB(255, 0, 255);
inline constexpr COLORREF kEnabledInk = RGB(255, 0, 0);
inline constexpr COLORREF kDisabledInk = RGB(0, 0, 255);

class TestGlyph {
public:
    TestGlyph() {
        HDC screen = GetDC(nullptr);
        bitmap_ = CreateCompatibleBitmap(screen, 32, 16);
        ReleaseDC(nullptr, screen);
        HDC dc = CreateCompatibleDC(nullptr);
        HGDIOBJ old = SelectObject(dc, bitmap_);
        fill(dc, {0, 0, 32, 16}, kGround);
        fill(dc, {4, 4, 12, 12}, kEnabledInk);
        fill(dc, {20, 4, 28, 12}, kDisabledInk);
        SelectObject(dc, old);
        DeleteDC(dc);
    }
    ~TestGlyph() { DeleteObject(bitmap_); }
    TestGlyph(const TestGlyph&) = delete;
    TestGlyph& operator=(const TestGlyph&) = delete;
    ui::MenuGlyphImage image() const { return {bitmap_, 32, 16}; }

private:
    static void fill(HDC dc, RECT r, COLORREF c) {
        HBRUSH b = CreateSolidBrush(c);
        FillRect(dc, &r, b);
        DeleteObject(b);
    }
    HBITMAP bitmap_;
};

}  // namespace kv::test
