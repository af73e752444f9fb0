#pragma once
// Plain rectangles and points for the dock and toolbar arithmetic, so it runs
// without windows.
#include <cstdint>

namespace kv::ui {

struct DockPoint {
    int x = 0;
    int y = 0;
    friend bool operator==(const DockPoint&, const DockPoint&) = default;
};

struct DockSize {
    int width = 0;
    int height = 0;
    friend bool operator==(const DockSize&, const DockSize&) = default;
};

struct DockRect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
    int width() const { return right - left; }
    int height() const { return bottom - top; }
    bool empty() const { return right <= left || bottom <= top; }
    bool contains(DockPoint p) const { return p.x >= left && p.x < right && p.y >= top && p.y < bottom; }
    bool intersects(const DockRect& o) const {
        return left < o.right && o.left < right && top < o.bottom && o.top < bottom;
    }
    friend bool operator==(const DockRect&, const DockRect&) = default;
};

// Shifts r into the work area: first its right edge, then its bottom, then its
// left and top, which win when r is larger than the area.
DockRect MoveRectOnScreen(DockRect r, const DockRect& workArea);
// Leaves r alone while any part of it lies inside the work area.
DockRect MoveRectOnScreenIfHidden(DockRect r, const DockRect& workArea);
// Where a window whose client area starts at offset (in the form's client
// area) puts its first background tile, so that the tiles of all windows line
// up with a grid anchored at the form's client origin. In [-tile, 0] on each
// axis; {0, 0} for an empty tile.
DockPoint TileOrigin(DockPoint offset, DockSize tile);
// Right before left or bottom before top are swapped.
DockRect NormalizeRect(DockRect r);

}  // namespace kv::ui
