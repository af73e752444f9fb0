#pragma once
// Button glyphs: a bitmap of equal images side by side (up, disabled, ...),
// drawn with its bottom-left pixel's colour as the see-through colour.
#include <windows.h>

namespace kv::ui {

// The images the strip really holds: 0 without a bitmap, never more than its
// width in pixels, so a too-narrow strip cannot make a zero-width image.
int glyphCount(HBITMAP strip, int numGlyphs);
SIZE glyphSize(HBITMAP strip, int numGlyphs);
// Draws image index (clamped to the images there are) with its top-left at x, y.
void drawGlyph(HDC dc, HBITMAP strip, int numGlyphs, int index, int x, int y);

}  // namespace kv::ui
