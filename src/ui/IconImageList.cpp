#include "ui/IconImageList.h"

namespace kv {

TIconImageList::TIconImageList(int size)
    : size_(size), list_(ImageList_Create(size, size, ILC_COLOR32 | ILC_MASK, 32, 32)) {}

TIconImageList::~TIconImageList() {
    if (list_)
        ImageList_Destroy(list_);
}

int TIconImageList::count() const { return list_ ? ImageList_GetImageCount(list_) : 0; }

int TIconImageList::addIcon(HICON icon) { return list_ && icon ? ImageList_ReplaceIcon(list_, -1, icon) : -1; }

int TIconImageList::addMasked(HBITMAP bitmap, COLORREF mask) {
    return list_ && bitmap ? ImageList_AddMasked(list_, bitmap, mask) : -1;
}

bool TIconImageList::draw(HDC dc, int index, int x, int y, UINT style) const {
    return list_ && ImageList_Draw(list_, index, dc, x, y, style);
}

}  // namespace kv
