#pragma once
// The outline a drag draws on the screen: a frame inverted through a
// half-tone brush, so drawing it twice leaves the screen as it was.
#include <windows.h>

#include <optional>

#include "ui/Canvas.h"

namespace kv::ui {

// The next message of a drag's own loop; false ends the loop: a quit
// message (posted again for the loop outside) or a failed read.
bool nextDragMessage(MSG& msg);

// An 8 x 8 pattern of alternating pixels.
GdiObject<HBRUSH> makeHalftoneBrush();
// Inverts a frame of the given thickness inside r through brush.
void invertFrame(HDC dc, const RECT& r, int thickness, HBRUSH brush);

// Draws on the whole screen with window updates locked while it lives.
class DragOutline {
public:
    DragOutline();
    ~DragOutline();
    DragOutline(const DragOutline&) = delete;
    DragOutline& operator=(const DragOutline&) = delete;
    // Inverts the old frame away and the new one in.
    void move(const RECT& r, int thickness);
    void hide();

private:
    GdiObject<HBRUSH> brush_;
    HDC dc_ = nullptr;
    bool locked_ = false;
    std::optional<RECT> shown_;
    int thickness_ = 0;
};

}  // namespace kv::ui
