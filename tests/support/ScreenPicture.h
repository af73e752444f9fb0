#pragma once
// Looking at a picture of a window taken from the screen: whether it and its
// parts were drawn at all.
#include <windows.h>

#include <cstddef>
#include <vector>

#include "ui/Canvas.h"

namespace kv::test {

// The number of different colours in the picture.
inline std::size_t CountColours(const ui::BitmapCanvas& shot) {
    std::vector<bool> seen(1 << 24);
    std::size_t colours = 0;
    for (int y = 0; y < shot.height(); ++y)
        for (int x = 0; x < shot.width(); ++x) {
            auto i = static_cast<std::size_t>(shot.pixel(x, y)) & 0xFFFFFF;
            colours += !seen[i];
            seen[i] = true;
        }
    return colours;
}

// The window's rectangle in a picture whose top-left pixel is at origin on the screen.
inline RECT RectInPicture(HWND hwnd, POINT origin) {
    RECT r{};
    GetWindowRect(hwnd, &r);
    OffsetRect(&r, -origin.x, -origin.y);
    return r;
}

// Pixels of the rectangle that differ from its top-left corner: 0 for a blank area.
inline int UnlikeCorner(const ui::BitmapCanvas& shot, const RECT& r) {
    const COLORREF first = shot.pixel(r.left + 1, r.top + 1);
    int unlike = 0;
    for (int y = r.top; y < r.bottom; ++y)
        for (int x = r.left; x < r.right; ++x)
            unlike += shot.pixel(x, y) != first;
    return unlike;
}

}  // namespace kv::test
