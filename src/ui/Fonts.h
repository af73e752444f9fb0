#pragma once
// Portable font descriptions as the system's logical fonts and GDI fonts.
#include <windows.h>

#include "ui/Canvas.h"
#include "ui/FontDialog.h"

namespace kv::ui {

// pixelsPerInch 0: the screen's.
LOGFONTA toLogFont(const FontDescription& font, int pixelsPerInch = 0);
FontDescription fromLogFont(const LOGFONTA& font, COLORREF color, int pixelsPerInch = 0);
// The colour is not part of a GDI font; whoever draws sets it.
GdiObject<HFONT> createFont(const FontDescription& font);

}  // namespace kv::ui
