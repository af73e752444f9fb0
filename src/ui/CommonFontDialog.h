#pragma once
// The font dialog of the program: the system's common dialog.
#include <windows.h>

#include "ui/FontDialog.h"

namespace kv::ui {

class CommonFontDialog : public FontDialog {
public:
    explicit CommonFontDialog(HWND owner = nullptr) : owner_(owner) {}
    std::optional<FontDescription> chooseFont(const FontDescription& initial) override;

private:
    HWND owner_;
};

}  // namespace kv::ui
