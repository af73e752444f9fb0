#include "ui/SystemFonts.h"

namespace kv::ui {

SystemFonts& SystemFonts::instance() {
    static SystemFonts fonts;
    return fonts;
}

void SystemFonts::refresh() {
    NONCLIENTMETRICSA m{};
    // The size of the structure before Vista added iPaddedBorderWidth: every
    // version of Windows accepts it.
    m.cbSize = 340;
    if (SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, m.cbSize, &m, 0)) {
        menu_.reset(CreateFontIndirectA(&m.lfMenuFont));
        LOGFONTA bold = m.lfMenuFont;
        bold.lfWeight = FW_BOLD;
        menuBold_.reset(CreateFontIndirectA(&bold));
        caption_.reset(CreateFontIndirectA(&m.lfCaptionFont));
        smallCaption_.reset(CreateFontIndirectA(&m.lfSmCaptionFont));
        status_.reset(CreateFontIndirectA(&m.lfStatusFont));
        captionLog_ = m.lfCaptionFont;
    }
    LOGFONTA icon{};
    if (SystemParametersInfoA(SPI_GETICONTITLELOGFONT, sizeof icon, &icon, 0)) iconTitle_.reset(CreateFontIndirectA(&icon));
}

}  // namespace kv::ui
