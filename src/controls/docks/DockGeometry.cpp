#include "controls/docks/DockGeometry.h"

#include <utility>

namespace kv::ui {

namespace {
void shift(DockRect& r, int dx, int dy) {
    r.left += dx;
    r.right += dx;
    r.top += dy;
    r.bottom += dy;
}
}  // namespace

DockRect MoveRectOnScreen(DockRect r, const DockRect& workArea) {
    r = NormalizeRect(r);
    if (r.right > workArea.right) shift(r, workArea.right - r.right, 0);
    if (r.bottom > workArea.bottom) shift(r, 0, workArea.bottom - r.bottom);
    if (r.left < workArea.left) shift(r, workArea.left - r.left, 0);
    if (r.top < workArea.top) shift(r, 0, workArea.top - r.top);
    return r;
}

DockRect MoveRectOnScreenIfHidden(DockRect r, const DockRect& workArea) {
    r = NormalizeRect(r);
    if (r.intersects(workArea)) return r;
    return MoveRectOnScreen(r, workArea);
}

DockRect NormalizeRect(DockRect r) {
    if (r.right < r.left) std::swap(r.left, r.right);
    if (r.bottom < r.top) std::swap(r.top, r.bottom);
    return r;
}

namespace {
int tileStart(int offset, int size) {
    if (size <= 0) return 0;
    const long long m = ((static_cast<long long>(offset) % size) + size) % size;
    return static_cast<int>(-m);
}
}  // namespace

DockPoint TileOrigin(DockPoint offset, DockSize tile) {
    return {tileStart(offset.x, tile.width), tileStart(offset.y, tile.height)};
}

}  // namespace kv::ui
