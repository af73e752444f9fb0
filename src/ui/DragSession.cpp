#include "ui/DragSession.h"

#include <cstdlib>

namespace kv::ui {

DragSession::~DragSession() {
    if (dragging_) cancel();
}

void DragSession::arm(HWND source, POINT clientPoint) {
    source_ = source;
    press_ = clientPoint;
    armed_ = true;
}

bool DragSession::pastThreshold(POINT p) const {
    if (!armed_) return false;
    return std::abs(p.x - press_.x) >= GetSystemMetrics(SM_CXDRAG) ||
           std::abs(p.y - press_.y) >= GetSystemMetrics(SM_CYDRAG);
}

void DragSession::begin(HIMAGELIST image, POINT hotSpot, POINT screenPoint) {
    if (dragging_) cancel();
    armed_ = false;
    image_ = image;
    accepting_ = nullptr;
    // Taken before the drag counts as begun: the window losing the capture
    // to it must not cancel it.
    if (source_) SetCapture(source_);
    dragging_ = true;
    if (image_ && ImageList_BeginDrag(image_, 0, hotSpot.x, hotSpot.y))
        ImageList_DragEnter(nullptr, screenPoint.x, screenPoint.y);
    move(screenPoint);
}

HWND DragSession::targetAt(POINT screenPoint, POINT& clientPoint) const {
    HWND target = WindowFromPoint(screenPoint);
    // A window a modal one disabled is not looked into by the system: its
    // control under the mouse is found here, so a drag from the modal window
    // still reaches it (the host decides whether it takes the drop).
    if (target && !IsWindowEnabled(GetAncestor(target, GA_ROOT))) {
        for (;;) {
            POINT local = screenPoint;
            ScreenToClient(target, &local);
            HWND child = ChildWindowFromPointEx(target, local, CWP_SKIPINVISIBLE);
            if (!child || child == target)
                break;
            target = child;
        }
    }
    clientPoint = screenPoint;
    if (target) ScreenToClient(target, &clientPoint);
    return target;
}

void DragSession::move(POINT screenPoint) {
    if (!dragging_) return;
    if (image_) ImageList_DragMove(screenPoint.x, screenPoint.y);
    POINT client{};
    HWND target = targetAt(screenPoint, client);
    // The image is hidden while the target is asked, so it may repaint.
    if (image_) ImageList_DragShowNolock(FALSE);
    const bool accept = target && onDragOver && onDragOver(target, client);
    if (image_) ImageList_DragShowNolock(TRUE);
    accepting_ = accept ? target : nullptr;
    HCURSOR cursor = accept ? acceptCursor : refuseCursor;
    SetCursor(cursor ? cursor : LoadCursor(nullptr, accept ? IDC_ARROW : IDC_NO));
}

void DragSession::drop(POINT screenPoint) {
    if (!dragging_) return;
    move(screenPoint);
    HWND target = accepting_;
    POINT client{};
    targetAt(screenPoint, client);
    end(target != nullptr);
    if (target && onDrop) onDrop(target, client);
    if (onEnd) onEnd(target != nullptr);
}

void DragSession::cancel() {
    if (!dragging_) return;
    end(false);
    if (onEnd) onEnd(false);
}

void DragSession::end(bool) {
    dragging_ = false;
    accepting_ = nullptr;
    if (image_) {
        ImageList_DragLeave(nullptr);
        ImageList_EndDrag();
        ImageList_Destroy(image_);
        image_ = nullptr;
    }
    if (GetCapture() == source_) ReleaseCapture();
    SetCursor(LoadCursor(nullptr, IDC_ARROW));
}

}  // namespace kv::ui
