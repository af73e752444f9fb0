#pragma once
// A stored font slot as the system's font description.
#include <windows.h>

#include "shell/settings/Settings.h"

namespace kv {

inline LOGFONTA LogFontOf(const FontData& data) {
    LOGFONTA lf{};
    lf.lfHeight = data.height;
    lf.lfWeight = (data.style & 1) ? FW_BOLD : FW_NORMAL;
    lf.lfItalic = (data.style & 2) ? TRUE : FALSE;
    lf.lfUnderline = (data.style & 4) ? TRUE : FALSE;
    lf.lfStrikeOut = (data.style & 8) ? TRUE : FALSE;
    lf.lfCharSet = DEFAULT_CHARSET;
    lstrcpynA(lf.lfFaceName, data.face.c_str(), LF_FACESIZE);
    return lf;
}

// The style bits of a system font description.
inline std::uint8_t FontStyleOf(const LOGFONTA& lf) {
    return static_cast<std::uint8_t>((lf.lfWeight >= FW_BOLD ? 1 : 0) | (lf.lfItalic ? 2 : 0) |
                                     (lf.lfUnderline ? 4 : 0) | (lf.lfStrikeOut ? 8 : 0));
}

}  // namespace kv
