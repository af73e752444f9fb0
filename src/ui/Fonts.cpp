#include "ui/Fonts.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

namespace kv::ui {

namespace {

int screenPixelsPerInch() {
    HDC screen = GetDC(nullptr);
    int ppi = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    return ppi > 0 ? ppi : 96;
}

}  // namespace

LOGFONTA toLogFont(const FontDescription& f, int ppi) {
    if (ppi <= 0) ppi = screenPixelsPerInch();
    LOGFONTA lf{};
    // Negative: the character height, which is what a size in points means.
    lf.lfHeight = -MulDiv(f.size, ppi, 72);
    lf.lfWeight = f.bold ? FW_BOLD : FW_NORMAL;
    lf.lfItalic = f.italic;
    lf.lfUnderline = f.underline;
    lf.lfStrikeOut = f.strikeOut;
    lf.lfCharSet = DEFAULT_CHARSET;
    lf.lfOutPrecision = OUT_DEFAULT_PRECIS;
    lf.lfClipPrecision = CLIP_DEFAULT_PRECIS;
    lf.lfQuality = DEFAULT_QUALITY;
    lf.lfPitchAndFamily = DEFAULT_PITCH | FF_DONTCARE;
    // Face names longer than the structure holds are cut.
    f.name.copy(lf.lfFaceName, LF_FACESIZE - 1);
    return lf;
}

FontDescription fromLogFont(const LOGFONTA& lf, COLORREF color, int ppi) {
    if (ppi <= 0) ppi = screenPixelsPerInch();
    FontDescription f;
    f.name.assign(lf.lfFaceName, strnlen(lf.lfFaceName, LF_FACESIZE));
    f.size = MulDiv(std::abs(static_cast<int>(lf.lfHeight)), 72, ppi);
    f.bold = lf.lfWeight >= FW_SEMIBOLD;
    f.italic = lf.lfItalic != 0;
    f.underline = lf.lfUnderline != 0;
    f.strikeOut = lf.lfStrikeOut != 0;
    f.color = color;
    return f;
}

GdiObject<HFONT> createFont(const FontDescription& font) {
    LOGFONTA lf = toLogFont(font);
    return GdiObject<HFONT>(CreateFontIndirectA(&lf));
}

}  // namespace kv::ui
