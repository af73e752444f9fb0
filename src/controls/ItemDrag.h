#pragma once
// Dragging items of a list view or a tree onto another window of the program,
// the one way every list of the program drags: the control's begin-drag notice
// starts it, the control's mouse moves and release (it holds the mouse) carry
// it, losing the mouse to another window cancels it, the cursor tells one item
// from several, and the host says where it may drop and what a drop does (the
// session's callbacks).
#include <windows.h>

#include <cstddef>
#include <vector>

#include "controls/ReportListView.h"
#include "ui/DragSession.h"

namespace kv::ui {

// The cursor over a place that takes the drop: the drag cursor for one item,
// the multi-drag cursor for several (the arrow when the program lacks them).
HCURSOR ItemDragCursor(std::size_t items);

class ItemDrag {
public:
    ItemDrag() = default;
    // Cancels a drag and gives the carrying controls (which outlive it) their mouse events back.
    ~ItemDrag();
    ItemDrag(const ItemDrag&) = delete;
    ItemDrag& operator=(const ItemDrag&) = delete;

    // The control's mouse moves and release carry the drag from now on, and
    // the loss of its capture cancels it (the control must outlive this).
    void Carry(Control& control);

    // Starts a drag of count items from source at the cursor, with image
    // (owned from now; null: none) held at hotSpot.
    void Start(HWND source, std::size_t count, HIMAGELIST image, POINT hotSpot);
    // Starts a drag of count rows of a list: oneRowImage (owned from now) for
    // a single row when there is one, else the list's own image of the
    // pressed row.
    void StartRows(TCustomEnhListView& list, std::size_t count, HIMAGELIST oneRowImage = nullptr);

    DragSession& Session() { return session_; }
    bool Dragging() const { return session_.dragging(); }

private:
    static void Release(Control& control);

    DragSession session_;
    std::vector<Control*> carriers_;
};

}  // namespace kv::ui
