#include "ui/ImageList.h"

#include "ui/CommonControls.h"
#include "ui/UiErrors.h"

namespace kv::ui {

namespace {
const char kImageListError[] = "Invalid image list";
}

ImageList::ImageList(int width, int height, UINT flags, int grow)
    : handle_((ensureCommonControls(), ImageList_Create(width, height, flags, 0, grow))), shared_(false) {
    if (!handle_) throw EInvalidOperation(kImageListError);
}

ImageList::ImageList(HIMAGELIST handle, bool shared) : handle_(handle), shared_(shared) {}

ImageList::~ImageList() {
    if (handle_ && !shared_) ImageList_Destroy(handle_);
}

int ImageList::width() const {
    int w = 0, h = 0;
    ImageList_GetIconSize(handle_, &w, &h);
    return w;
}

int ImageList::height() const {
    int w = 0, h = 0;
    ImageList_GetIconSize(handle_, &w, &h);
    return h;
}

int ImageList::count() const { return handle_ ? ImageList_GetImageCount(handle_) : 0; }

void ImageList::changed() {
    if (onChange) onChange(*this);
}

int ImageList::add(HBITMAP image, HBITMAP mask) {
    int i = ImageList_Add(handle_, image, mask);
    if (i < 0) throw EInvalidOperation(kImageListError);
    changed();
    return i;
}

int ImageList::addMasked(HBITMAP image, COLORREF maskColour) {
    int i = ImageList_AddMasked(handle_, image, maskColour);
    if (i < 0) throw EInvalidOperation(kImageListError);
    changed();
    return i;
}

int ImageList::addIcon(HICON icon) {
    int i = ImageList_ReplaceIcon(handle_, -1, icon);
    if (i < 0) throw EInvalidOperation(kImageListError);
    changed();
    return i;
}

int ImageList::tryAddMasked(HBITMAP image, COLORREF maskColour) {
    int i = handle_ && image ? ImageList_AddMasked(handle_, image, maskColour) : -1;
    if (i >= 0) changed();
    return i;
}

int ImageList::tryAddIcon(HICON icon) {
    int i = handle_ && icon ? ImageList_ReplaceIcon(handle_, -1, icon) : -1;
    if (i >= 0) changed();
    return i;
}

void ImageList::replace(int index, HBITMAP image, HBITMAP mask) {
    if (!ImageList_Replace(handle_, index, image, mask)) throw EInvalidOperation(kImageListError);
    changed();
}

bool ImageList::draw(HDC dc, int index, int x, int y, UINT style) const {
    return handle_ && ImageList_Draw(handle_, index, dc, x, y, style);
}

void ImageList::beginDrag(int index, int hotX, int hotY) { ImageList_BeginDrag(handle_, index, hotX, hotY); }

void ImageList::dragMove(int x, int y) { ImageList_DragMove(x, y); }

void ImageList::endDrag() { ImageList_EndDrag(); }

}  // namespace kv::ui
