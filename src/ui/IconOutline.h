#pragma once
// An icon as a drag image: drawn into a bitmap with a mask of its shape,
// ringed by a dark outline one pixel wide so it shows on any background.
#include <windows.h>
#include <commctrl.h>

#include "ui/Canvas.h"

namespace kv::ui {

struct IconOutline {
    GdiObject<HBITMAP> image;  // colour; black where the mask is see-through
    GdiObject<HBITMAP> mask;   // one bit: set where the image is see-through
    int size = 0;
};

// The icon drawn at size x size with its outline; empty bitmaps when it fails.
IconOutline IconOutlineBitmap(HICON icon, int size);
// A one-image list holding the outlined icon, for a drag; null when it fails.
// The caller owns it.
HIMAGELIST IconDragImage(HICON icon, int size);
// The same for one image of an image list; null without it.
HIMAGELIST ListIconDragImage(HIMAGELIST images, int index);

}  // namespace kv::ui
