#pragma once
// The system's menu, caption, small-caption, status and icon-title fonts, made again
// when the settings change (WM_SETTINGCHANGE with SPI_SETNONCLIENTMETRICS).
#include <windows.h>

#include "ui/Canvas.h"

namespace kv::ui {

// The system's non-client metrics, read with the structure size every
// supported Windows accepts; the default GUI font stands in for the fonts
// when the system refuses.
NONCLIENTMETRICSA ReadNonClientMetrics();

class SystemFonts {
public:
    static SystemFonts& instance();
    void refresh();
    HFONT menu() const { return menu_.get(); }
    HFONT menuBold() const { return menuBold_.get(); }
    HFONT caption() const { return caption_.get(); }
    HFONT smallCaption() const { return smallCaption_.get(); }
    HFONT iconTitle() const { return iconTitle_.get(); }
    HFONT status() const { return status_.get(); }
    LOGFONTA captionLogFont() const { return metrics_.lfCaptionFont; }
    LOGFONTA smallCaptionLogFont() const { return metrics_.lfSmCaptionFont; }

private:
    SystemFonts() { refresh(); }
    GdiObject<HFONT> menu_, menuBold_, caption_, smallCaption_, iconTitle_, status_;
    NONCLIENTMETRICSA metrics_{};
};

}  // namespace kv::ui
