#pragma once
// An image list: owned (destroyed with the object) or shared (the system's,
// never destroyed); a change notification; the drag-image operations.
#include <windows.h>
#include <commctrl.h>

#include <functional>

namespace kv::ui {

class ImageList {
public:
    ImageList(int width, int height, UINT flags = ILC_COLOR24 | ILC_MASK, int grow = 4);
    // Wraps a list made elsewhere; shared lists are never destroyed here.
    ImageList(HIMAGELIST handle, bool shared);
    ~ImageList();
    ImageList(const ImageList&) = delete;
    ImageList& operator=(const ImageList&) = delete;

    HIMAGELIST handle() const { return handle_; }
    bool shared() const { return shared_; }
    int width() const;
    int height() const;
    int count() const;

    // Each raises EInvalidOperation when the system refuses.
    int add(HBITMAP image, HBITMAP mask = nullptr);
    int addMasked(HBITMAP image, COLORREF maskColour);
    int addIcon(HICON icon);
    void replace(int index, HBITMAP image, HBITMAP mask = nullptr);
    // For lists that go on with what they have: -1 when the image could not be
    // added (no list, no image, or refused); a strip gives its first index.
    int tryAddMasked(HBITMAP image, COLORREF maskColour);
    int tryAddIcon(HICON icon);
    // False when nothing was drawn.
    bool draw(HDC dc, int index, int x, int y, UINT style = ILD_NORMAL) const;

    std::function<void(ImageList& sender)> onChange;

    void beginDrag(int index, int hotX, int hotY);
    static void dragMove(int x, int y);
    static void endDrag();

private:
    void changed();
    HIMAGELIST handle_;
    bool shared_;
};

}  // namespace kv::ui
