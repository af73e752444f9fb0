#include "ui/CommonFontDialog.h"

#include <commdlg.h>

#include "ui/Fonts.h"
#include "ui/MessageBoxPrompt.h"

namespace kv::ui {

std::optional<FontDescription> CommonFontDialog::chooseFont(const FontDescription& initial) {
    LOGFONTA lf = toLogFont(initial);
    CHOOSEFONTA c{};
    c.lStructSize = sizeof c;
    c.hwndOwner = owner_ ? owner_ : promptOwner();
    c.lpLogFont = &lf;
    c.Flags = CF_SCREENFONTS | CF_EFFECTS | CF_INITTOLOGFONTSTRUCT;
    c.rgbColors = initial.color;
    if (!ChooseFontA(&c)) return std::nullopt;
    FontDescription chosen = fromLogFont(lf, c.rgbColors);
    // The dialog's own size in tenths of a point is exact; the height rounds.
    if (c.iPointSize > 0) chosen.size = (c.iPointSize + 5) / 10;
    return chosen;
}

}  // namespace kv::ui
