#pragma once
// Plain rectangles, points and sizes for layout arithmetic that runs without
// windows (docks, toolbars, buttons, captions).

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

}  // namespace kv::ui
