#pragma once
// Plain rectangles and points for the dock and toolbar arithmetic, so it runs
// without windows.
#include <cstdint>

#include "ui/Geometry.h"

namespace kv::ui {

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
