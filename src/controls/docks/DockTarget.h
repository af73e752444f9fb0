#pragma once
// Where a dragged toolbar would land: the catch zone of each dock around the
// cursor, scaled by where the toolbar was grabbed, the row under the cursor
// and the position along it.
#include <optional>
#include <vector>

#include "controls/docks/DockGeometry.h"

namespace kv::ui {

struct DockTargetCandidate {
    DockRect screen;  // the dock's rectangle on the screen
    bool vertical = false;
    bool allowDrag = true;
    std::vector<int> rowThickness;  // empty: an empty dock
};

struct DragState {
    // Where the toolbar was grabbed, in its own coordinates; a press on the
    // floating caption lies above it and counts as its top edge.
    DockPoint grab;
    // Floating now: where the floating window was grabbed, in its own
    // coordinates, so that a floating outline stays under the cursor as it was.
    std::optional<DockPoint> floatGrab;
    DockSize current;     // its size when the drag began
    DockSize horizontal;  // its size in a top or bottom dock
    DockSize vertical;    // in a left or right dock
    DockSize floating;
    bool canDockLeftRight = true;
};

struct DockTarget {
    int dock = -1;  // index into the candidates; -1: float
    int row = 0;
    int pos = 0;
    DockRect outline;  // on the screen
    friend bool operator==(const DockTarget&, const DockTarget&) = default;
};

// Horizontal docks are tried first, then the vertical ones; Ctrl held floats.
DockTarget FindDockTarget(const std::vector<DockTargetCandidate>& docks, const DragState& drag, DockPoint cursor,
                          bool ctrlDown);

}  // namespace kv::ui
