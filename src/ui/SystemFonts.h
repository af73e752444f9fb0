#pragma once
// The system's menu, caption, small-caption, status and icon-title fonts, made again
// when the settings change (WM_SETTINGCHANGE with SPI_SETNONCLIENTMETRICS).
#include <windows.h>

#include "ui/Canvas.h"

namespace kv::ui {

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
    LOGFONTA captionLogFont() const { return captionLog_; }

private:
    SystemFonts() { refresh(); }
    GdiObject<HFONT> menu_, menuBold_, caption_, smallCaption_, iconTitle_, status_;
    LOGFONTA captionLog_{};
};

}  // namespace kv::ui
