#include "controls/ColumnFormat.h"

namespace kv::ui {

ColumnFormat columnImageFormat(int currentFmt, int textAlignment, int imageIndex, TColumnImageAlign align) {
    if (imageIndex < 0)
        return {kColumnMaskFormat, currentFmt & ~(kColumnFmtImage | kColumnFmtBitmapOnRight), -1};
    // The side is set both ways, so a change from right to left takes effect.
    int fmt = (currentFmt & ~(kColumnFmtJustifyMask | kColumnFmtBitmapOnRight)) | kColumnFmtImage |
              (textAlignment & kColumnFmtJustifyMask);
    if (align == TColumnImageAlign::ciaRightOfText) fmt |= kColumnFmtBitmapOnRight;
    return {kColumnMaskFormat | kColumnMaskImage, fmt, imageIndex};
}

}  // namespace kv::ui
