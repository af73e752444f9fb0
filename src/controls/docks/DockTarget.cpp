#include "controls/docks/DockTarget.h"

#include <algorithm>

namespace kv::ui {

namespace {

// The grab point scaled from the current size to another: (extent - 1) * g / (size - 1).
int scaleGrab(int extent, int grab, int size) {
    const long long d = std::max(size - 1, 1);
    return static_cast<int>(static_cast<long long>(std::max(extent - 1, 0)) * grab / d);
}

// The grab point inside the toolbar.
DockPoint insideGrab(const DragState& d) {
    return {std::clamp(d.grab.x, 0, std::max(d.current.width - 1, 0)),
            std::clamp(d.grab.y, 0, std::max(d.current.height - 1, 0))};
}

DockRect outlineAt(DockPoint cursor, DockSize s, const DragState& d) {
    const DockPoint g = insideGrab(d);
    const int x = cursor.x - scaleGrab(s.width, g.x, d.current.width);
    const int y = cursor.y - scaleGrab(s.height, g.y, d.current.height);
    return {x, y, x + s.width, y + s.height};
}

DockRect floatingOutlineAt(DockPoint cursor, const DragState& d) {
    if (!d.floatGrab) return outlineAt(cursor, d.floating, d);
    const int x = cursor.x - d.floatGrab->x;
    const int y = cursor.y - d.floatGrab->y;
    return {x, y, x + d.floating.width, y + d.floating.height};
}

bool catches(const DockTargetCandidate& dock, const DragState& d, DockPoint cursor, DockSize s) {
    DockRect r = dock.screen;
    if (dock.rowThickness.empty()) {
        if (dock.vertical)
            r.right = std::max(r.right, r.left + 1);
        else
            r.bottom = std::max(r.bottom, r.top + 1);
    }
    const DockPoint g = insideGrab(d);
    const int m = scaleGrab(33, g.x, d.current.width);  // 32 * gx / (W - 1)
    const int n = scaleGrab(21, g.y, d.current.height);
    const DockRect zone{r.left - (32 - m), r.top - (20 - n), r.right + m, r.bottom + n};
    if (!zone.contains(cursor)) return false;
    if (dock.vertical && (cursor.y < dock.screen.top || cursor.y >= dock.screen.bottom)) return false;
    return outlineAt(cursor, s, d).intersects(r);
}

}  // namespace

DockTarget FindDockTarget(const std::vector<DockTargetCandidate>& docks, const DragState& drag, DockPoint cursor,
                          bool ctrlDown) {
    DockTarget none;
    none.outline = floatingOutlineAt(cursor, drag);
    if (ctrlDown) return none;
    for (int pass = 0; pass < 2; ++pass) {
        const bool vertical = pass == 1;
        if (vertical && !drag.canDockLeftRight) break;
        for (std::size_t i = 0; i < docks.size(); ++i) {
            const DockTargetCandidate& dock = docks[i];
            if (dock.vertical != vertical || !dock.allowDrag) continue;
            const DockSize s = vertical ? drag.vertical : drag.horizontal;
            if (!catches(dock, drag, cursor, s)) continue;

            DockTarget t;
            t.dock = static_cast<int>(i);
            const DockRect o = outlineAt(cursor, s, drag);
            const int across = vertical ? cursor.x - dock.screen.left : cursor.y - dock.screen.top;
            int rowStart = 0;
            t.row = static_cast<int>(dock.rowThickness.size());
            for (std::size_t r = 0; r < dock.rowThickness.size(); ++r) {
                if (across < rowStart + dock.rowThickness[r]) {
                    t.row = static_cast<int>(r);
                    break;
                }
                rowStart += dock.rowThickness[r];
            }
            if (across < 0) {
                t.row = 0;
                rowStart = 0;
            }
            t.pos = std::max(0, vertical ? o.top - dock.screen.top : o.left - dock.screen.left);
            t.outline = vertical ? DockRect{dock.screen.left + rowStart, dock.screen.top + t.pos,
                                            dock.screen.left + rowStart + s.width, dock.screen.top + t.pos + s.height}
                                 : DockRect{dock.screen.left + t.pos, dock.screen.top + rowStart,
                                            dock.screen.left + t.pos + s.width, dock.screen.top + rowStart + s.height};
            return t;
        }
    }
    return none;
}

}  // namespace kv::ui
