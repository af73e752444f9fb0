#include "ui/SystemFonts.h"

namespace kv::ui {

SystemFonts& SystemFonts::instance() {
    static SystemFonts fonts;
    return fonts;
}

NONCLIENTMETRICSA ReadNonClientMetrics() {
    NONCLIENTMETRICSA m{};
    // The size of the structure before Vista added iPaddedBorderWidth: every
    // version of Windows accepts it.
    m.cbSize = 340;
    if (SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, m.cbSize, &m, 0)) return m;
    LOGFONTA gui{};
    GetObjectA(GetStockObject(DEFAULT_GUI_FONT), sizeof gui, &gui);
    m.lfCaptionFont = m.lfSmCaptionFont = m.lfMenuFont = m.lfStatusFont = m.lfMessageFont = gui;
    m.lfCaptionFont.lfWeight = FW_BOLD;
    return m;
}

void SystemFonts::refresh() {
    const NONCLIENTMETRICSA m = ReadNonClientMetrics();
    menu_.reset(CreateFontIndirectA(&m.lfMenuFont));
    LOGFONTA bold = m.lfMenuFont;
    bold.lfWeight = FW_BOLD;
    menuBold_.reset(CreateFontIndirectA(&bold));
    caption_.reset(CreateFontIndirectA(&m.lfCaptionFont));
    smallCaption_.reset(CreateFontIndirectA(&m.lfSmCaptionFont));
    status_.reset(CreateFontIndirectA(&m.lfStatusFont));
    metrics_ = m;
    LOGFONTA icon{};
    if (SystemParametersInfoA(SPI_GETICONTITLELOGFONT, sizeof icon, &icon, 0)) iconTitle_.reset(CreateFontIndirectA(&icon));
}

}  // namespace kv::ui
