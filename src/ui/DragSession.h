#pragma once
// Dragging items between the program's controls: the press arms a drag, a
// move past the system's threshold starts it, the drag image follows the
// mouse, the control under it is asked whether it takes the drop, and the
// release drops or cancels. The source forwards its mouse events.
#include <windows.h>
#include <commctrl.h>

#include <functional>

namespace kv::ui {

class DragSession {
public:
    DragSession() = default;
    ~DragSession();
    DragSession(const DragSession&) = delete;
    DragSession& operator=(const DragSession&) = delete;

    // The left button went down on an item of source (client point).
    void arm(HWND source, POINT clientPoint);
    void disarm() { armed_ = false; }
    bool armed() const { return armed_; }
    // True when a move from the press point to this one starts a drag.
    bool pastThreshold(POINT clientPoint) const;

    // Starts the drag with the image (the session owns it from now; null for
    // none) held at hotSpot, the cursor at a screen point. Captures the mouse.
    void begin(HIMAGELIST image, POINT hotSpot, POINT screenPoint);
    bool dragging() const { return dragging_; }
    // The mouse moved (screen point): the image follows, the target is asked.
    void move(POINT screenPoint);
    // The button went up: drops on a target that accepts, else cancels.
    void drop(POINT screenPoint);
    void cancel();

    // The window under the mouse and the point in its client area: may it drop here?
    std::function<bool(HWND target, POINT clientPoint)> onDragOver;
    std::function<void(HWND target, POINT clientPoint)> onDrop;
    // After a drop or a cancel.
    std::function<void(bool dropped)> onEnd;
    // The cursors over a target that takes the drop and over anything else.
    HCURSOR acceptCursor = nullptr;
    HCURSOR refuseCursor = nullptr;

    // The target the last move found willing, else null.
    HWND acceptingTarget() const { return accepting_; }

private:
    HWND targetAt(POINT screenPoint, POINT& clientPoint) const;
    void end(bool dropped);

    HWND source_ = nullptr;
    POINT press_{0, 0};
    bool armed_ = false;
    bool dragging_ = false;
    HIMAGELIST image_ = nullptr;
    HWND accepting_ = nullptr;
};

}  // namespace kv::ui
