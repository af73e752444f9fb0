#include "controls/ItemDrag.h"

#include <commctrl.h>

namespace kv::ui {

HCURSOR ItemDragCursor(std::size_t items) {
    return LoadCursorA(GetModuleHandleA(nullptr), items > 1 ? "MultiDragCursor" : "DragCursor");
}

ItemDrag::~ItemDrag() {
    session_.cancel();
    for (Control* control : carriers_)
        Release(*control);
}

void ItemDrag::Carry(Control& control) {
    carriers_.push_back(&control);
    control.onMouseMove = [this](Control& c, UINT, int x, int y) {
        POINT p{x, y};
        ClientToScreen(c.hwnd(), &p);
        session_.move(p);
    };
    control.onMouseUp = [this](Control& c, MouseButton, UINT, int x, int y) {
        POINT p{x, y};
        ClientToScreen(c.hwnd(), &p);
        session_.drop(p);
    };
    // Alt+Tab or a window coming up took the mouse away: nothing is dropped.
    // A drop releases the capture only after the drag ended, so it is not cancelled here.
    control.onCaptureLost = [this](Control&) { session_.cancel(); };
}

void ItemDrag::Release(Control& control) {
    control.onMouseMove = nullptr;
    control.onMouseUp = nullptr;
    control.onCaptureLost = nullptr;
}

void ItemDrag::Start(HWND source, std::size_t count, HIMAGELIST image, POINT hotSpot) {
    if (count == 0) {
        if (image)
            ImageList_Destroy(image);
        return;
    }
    session_.acceptCursor = ItemDragCursor(count);
    session_.arm(source, POINT{0, 0});
    POINT cursor{};
    GetCursorPos(&cursor);
    session_.begin(image, hotSpot, cursor);
}

void ItemDrag::StartRows(TCustomEnhListView& list, std::size_t count, HIMAGELIST oneRowImage) {
    POINT hotSpot{8, 8};
    HIMAGELIST image = count == 1 ? oneRowImage : nullptr;
    if (oneRowImage && !image)
        ImageList_Destroy(oneRowImage);
    if (!image) {
        image = list.GetDragImages() ? ImageList_Duplicate(list.GetDragImages()) : nullptr;
        hotSpot = list.DragHotSpot();
    }
    Start(list.hwnd(), count, image, hotSpot);
}

}  // namespace kv::ui
