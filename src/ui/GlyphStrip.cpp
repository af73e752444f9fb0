#include "ui/GlyphStrip.h"

#include <algorithm>

#include "ui/Canvas.h"

namespace kv::ui {

int glyphCount(HBITMAP strip, int numGlyphs) {
    SIZE s = bitmapSize(strip);
    if (s.cx <= 0 || s.cy <= 0) return 0;
    return std::clamp<int>(numGlyphs, 1, s.cx);
}

SIZE glyphSize(HBITMAP strip, int numGlyphs) {
    int n = glyphCount(strip, numGlyphs);
    if (n == 0) return {0, 0};
    SIZE s = bitmapSize(strip);
    return {s.cx / n, s.cy};
}

void drawGlyph(HDC dc, HBITMAP strip, int numGlyphs, int index, int x, int y) {
    int n = glyphCount(strip, numGlyphs);
    if (n == 0) return;
    SIZE size = glyphSize(strip, numGlyphs);
    index = std::clamp(index, 0, n - 1);
    Canvas(dc).draw(x, y, strip, RECT{index * size.cx, 0, (index + 1) * size.cx, size.cy}, true);
}

}  // namespace kv::ui
