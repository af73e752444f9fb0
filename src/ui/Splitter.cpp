#include "ui/Splitter.h"

#include <algorithm>

namespace kv::ui {

Splitter::Splitter() {
    setAlign(Align::Left);
    setBounds(0, 0, 4, 4);
}

void Splitter::createParams(CreateArgs& args) {
    Control::createParams(args);
    Wnd::registerClass("KvSplitter", CS_DBLCLKS, nullptr, nullptr, reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1));
    args.className = "KvSplitter";
}

Control* Splitter::neighbour() const {
    if (!parent()) return nullptr;
    RECT me = bounds();
    for (Control* c : parent()->children()) {
        if (c == this || c->align() != align() || !c->visible()) continue;
        RECT r = c->bounds();
        bool touches = (align() == Align::Left && r.right == me.left) || (align() == Align::Right && r.left == me.right) ||
                       (align() == Align::Top && r.bottom == me.top) || (align() == Align::Bottom && r.top == me.bottom);
        if (touches) return c;
    }
    return nullptr;
}

void Splitter::dragTo(int pos) {
    Control* n = neighbour();
    if (!n) return;
    int delta = pos - start_;
    if (align() == Align::Right || align() == Align::Bottom) delta = -delta;
    RECT area = parent()->clientRect();
    int room = horizontal() ? area.bottom - area.top : area.right - area.left;
    int size = std::clamp(startSize_ + delta, minSize, std::max(minSize, room - minSize));
    RECT r = n->bounds();
    if (horizontal()) n->setBounds(r.left, r.top, r.right - r.left, size);
    else n->setBounds(r.left, r.top, size, r.bottom - r.top);
    if (onMoved) onMoved(*this);
}

LRESULT Splitter::wndProc(UINT msg, WPARAM wp, LPARAM lp) {
    // Positions are taken in the parent's coordinates, which do not move with the bar.
    POINT p{static_cast<short>(LOWORD(lp)), static_cast<short>(HIWORD(lp))};
    switch (msg) {
    case WM_SETCURSOR:
        SetCursor(LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(horizontal() ? IDC_SIZENS : IDC_SIZEWE)));
        return TRUE;
    case WM_LBUTTONDOWN:
        if (Control* n = neighbour()) {
            MapWindowPoints(hwnd(), parent()->hwnd(), &p, 1);
            dragging_ = true;
            start_ = horizontal() ? p.y : p.x;
            startSize_ = horizontal() ? n->height() : n->width();
            SetCapture(hwnd());
        }
        break;
    case WM_MOUSEMOVE:
        if (dragging_) {
            MapWindowPoints(hwnd(), parent()->hwnd(), &p, 1);
            dragTo(horizontal() ? p.y : p.x);
        }
        break;
    case WM_LBUTTONUP:
    case WM_CAPTURECHANGED:
        if (dragging_) {
            dragging_ = false;
            if (msg == WM_LBUTTONUP) ReleaseCapture();
        }
        break;
    }
    return Control::wndProc(msg, wp, lp);
}

}  // namespace kv::ui
