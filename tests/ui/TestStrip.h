#pragma once
// A glyph strip for button tests: n images of 16 x 16, magenta (the
// see-through colour) around a square of each colour. The caller deletes it.
#include <windows.h>

#include "ui/Canvas.h"

inline HBITMAP makeStrip(int n, const COLORREF* colours) {
    kv::ui::BitmapCanvas strip(16 * n, 16);
    strip.canvas().setBrushColor(RGB(255, 0, 255));
    strip.canvas().fillRect({0, 0, 16 * n, 16});
    for (int i = 0; i < n; ++i) {
        strip.canvas().setBrushColor(colours[i]);
        strip.canvas().fillRect({16 * i + 4, 4, 16 * i + 12, 12});
    }
    return static_cast<HBITMAP>(CopyImage(strip.bitmap(), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
}
