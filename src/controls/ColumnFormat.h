#pragma once
// The header format of a column that shows an image beside its caption.
namespace kv::ui {

enum class TColumnImageAlign { ciaLeftOfText, ciaRightOfText };

// The header format bits this computation touches (the system's values).
enum : int {
    kColumnFmtJustifyMask = 0x0003,
    kColumnFmtImage = 0x0800,
    kColumnFmtBitmapOnRight = 0x1000,
};
enum : unsigned { kColumnMaskFormat = 0x0001, kColumnMaskImage = 0x0010 };

struct ColumnFormat {
    unsigned mask;  // what to write: the format, and the image when there is one
    int fmt;
    int image;
};

// From the header's current format, the column's text alignment (0 left,
// 1 right, 2 centre) and the image settings. No image clears both image bits.
ColumnFormat columnImageFormat(int currentFmt, int textAlignment, int imageIndex, TColumnImageAlign align);

}  // namespace kv::ui
