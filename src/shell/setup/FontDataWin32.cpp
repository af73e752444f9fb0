#include "shell/setup/FontDataWin32.h"

namespace kv {

LOGFONTA LogFontOf(const FontData& data) {
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

}  // namespace kv
