#pragma once
// Saves a test's picture as a 24-bit BMP file, for looking at it afterwards.
#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

#include "ui/Canvas.h"

namespace kv::test {

inline bool saveBitmap(const ui::BitmapCanvas& shot, const std::string& path) {
    FILE* f = std::fopen(path.c_str(), "wb");
    if (!f) return false;
    int stride = (shot.width() * 3 + 3) & ~3;
    BITMAPFILEHEADER fh{};
    BITMAPINFOHEADER ih{};
    fh.bfType = 0x4D42;
    fh.bfOffBits = sizeof fh + sizeof ih;
    fh.bfSize = fh.bfOffBits + static_cast<DWORD>(stride * shot.height());
    ih.biSize = sizeof ih;
    ih.biWidth = shot.width();
    ih.biHeight = shot.height();
    ih.biPlanes = 1;
    ih.biBitCount = 24;
    std::fwrite(&fh, sizeof fh, 1, f);
    std::fwrite(&ih, sizeof ih, 1, f);
    std::vector<unsigned char> row(static_cast<size_t>(stride));
    for (int y = shot.height() - 1; y >= 0; --y) {
        for (int x = 0; x < shot.width(); ++x) {
            COLORREF c = shot.pixel(x, y);
            row[static_cast<size_t>(x) * 3] = GetBValue(c);
            row[static_cast<size_t>(x) * 3 + 1] = GetGValue(c);
            row[static_cast<size_t>(x) * 3 + 2] = GetRValue(c);
        }
        std::fwrite(row.data(), row.size(), 1, f);
    }
    return std::fclose(f) == 0;
}

}  // namespace kv::test
