#pragma once
// The outline a drag draws on the screen: a frame inverted through a
// half-tone brush, so drawing it twice leaves the screen as it was.
#include <windows.h>

#include <optional>

#include "ui/Canvas.h"
#include "ui/DragLoop.h"

namespace kv::ui {

// An 8 x 8 pattern of alternating pixels.
GdiObject<HBRUSH> makeHalftoneBrush();
// Inverts a frame of the given thickness inside r through brush.
void invertFrame(HDC dc, const RECT& r, int thickness, HBRUSH brush);

// Draws on the whole screen (screen coordinates), or on one window's client
// area (its coordinates), with that window's updates locked while it lives.
class DragOutline {
public:
    explicit DragOutline(HWND over = nullptr);
    ~DragOutline();
    DragOutline(const DragOutline&) = delete;
    DragOutline& operator=(const DragOutline&) = delete;
    // Inverts the old frame away and the new one in.
    void move(const RECT& r, int thickness);
    void hide();

private:
    GdiObject<HBRUSH> brush_;
    HWND window_ = nullptr;
    HDC dc_ = nullptr;
    bool locked_ = false;
    std::optional<RECT> shown_;
    int thickness_ = 0;
};

}  // namespace kv::ui
