#pragma once
// An owned image list of square icons.
#include <windows.h>
#include <commctrl.h>

namespace kv {

class TIconImageList {
public:
    explicit TIconImageList(int size);
    ~TIconImageList();
    TIconImageList(const TIconImageList&) = delete;
    TIconImageList& operator=(const TIconImageList&) = delete;

    HIMAGELIST handle() const { return list_; }
    int size() const { return size_; }
    int count() const;
    // The icon's index, or -1 when it could not be added.
    int addIcon(HICON icon);
    // A bitmap strip of images with their mask colour; the first new index, or -1.
    int addMasked(HBITMAP bitmap, COLORREF mask);
    bool draw(HDC dc, int index, int x, int y, UINT style = ILD_NORMAL) const;

private:
    int size_;
    HIMAGELIST list_;
};

}  // namespace kv
