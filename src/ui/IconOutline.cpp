#include "ui/IconOutline.h"

#include <vector>

namespace kv::ui {

namespace {

// A screen-compatible memory DC that gives its bitmap back on the way out.
class MemoryDc {
public:
    MemoryDc() : dc_(CreateCompatibleDC(nullptr)) {}
    ~MemoryDc() {
        if (old_)
            SelectObject(dc_, old_);
        if (dc_)
            DeleteDC(dc_);
    }
    MemoryDc(const MemoryDc&) = delete;
    MemoryDc& operator=(const MemoryDc&) = delete;
    HDC get() const { return dc_; }
    void select(HBITMAP bitmap) {
        HGDIOBJ previous = SelectObject(dc_, bitmap);
        if (!old_)
            old_ = previous;
    }

private:
    HDC dc_;
    HGDIOBJ old_ = nullptr;
};

}  // namespace

IconOutline IconOutlineBitmap(HICON icon, int size) {
    IconOutline out;
    if (!icon || size <= 0 || size > 256)
        return out;
    HDC screen = GetDC(nullptr);
    GdiObject<HBITMAP> image(CreateCompatibleBitmap(screen, size, size));
    ReleaseDC(nullptr, screen);
    GdiObject<HBITMAP> mask(CreateBitmap(size, size, 1, 1, nullptr));
    if (!image.get() || !mask.get())
        return out;

    // The icon's shape: opaque where its own mask is clear.
    std::vector<bool> opaque(static_cast<std::size_t>(size) * static_cast<std::size_t>(size));
    {
        MemoryDc dc;
        dc.select(mask.get());
        PatBlt(dc.get(), 0, 0, size, size, WHITENESS);
        DrawIconEx(dc.get(), 0, 0, icon, size, size, 0, nullptr, DI_MASK);
        for (int y = 0; y < size; ++y)
            for (int x = 0; x < size; ++x)
                opaque[static_cast<std::size_t>(y * size + x)] = GetPixel(dc.get(), x, y) == RGB(0, 0, 0);
    }
    auto isOpaque = [&](int x, int y) {
        return x >= 0 && y >= 0 && x < size && y < size && opaque[static_cast<std::size_t>(y * size + x)];
    };

    MemoryDc imageDc;
    imageDc.select(image.get());
    PatBlt(imageDc.get(), 0, 0, size, size, BLACKNESS);
    DrawIconEx(imageDc.get(), 0, 0, icon, size, size, 0, nullptr, DI_NORMAL);
    MemoryDc maskDc;
    maskDc.select(mask.get());
    const COLORREF outline = RGB(32, 32, 32);
    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x) {
            if (isOpaque(x, y))
                continue;
            const bool edge = isOpaque(x - 1, y) || isOpaque(x + 1, y) || isOpaque(x, y - 1) || isOpaque(x, y + 1);
            if (edge) {
                SetPixel(imageDc.get(), x, y, outline);
                SetPixel(maskDc.get(), x, y, RGB(0, 0, 0));
            } else {
                SetPixel(imageDc.get(), x, y, RGB(0, 0, 0));
                SetPixel(maskDc.get(), x, y, RGB(255, 255, 255));
            }
        }
    out.image = std::move(image);
    out.mask = std::move(mask);
    out.size = size;
    return out;
}

HIMAGELIST IconDragImage(HICON icon, int size) {
    IconOutline outline = IconOutlineBitmap(icon, size);
    if (!outline.image.get())
        return nullptr;
    HIMAGELIST list = ImageList_Create(size, size, ILC_COLOR24 | ILC_MASK, 1, 0);
    if (list && ImageList_Add(list, outline.image.get(), outline.mask.get()) < 0) {
        ImageList_Destroy(list);
        list = nullptr;
    }
    return list;
}

HIMAGELIST ListIconDragImage(HIMAGELIST images, int index) {
    if (!images || index < 0 || index >= ImageList_GetImageCount(images))
        return nullptr;
    HICON icon = ImageList_GetIcon(images, index, ILD_NORMAL);
    if (!icon)
        return nullptr;
    int width = 16, height = 16;
    ImageList_GetIconSize(images, &width, &height);
    HIMAGELIST list = IconDragImage(icon, width);
    DestroyIcon(icon);
    return list;
}

}  // namespace kv::ui
