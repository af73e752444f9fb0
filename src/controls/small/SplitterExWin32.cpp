#include "controls/small/SplitterExWin32.h"

#include <windowsx.h>

#include "controls/small/SmallControlRules.h"
#include "ui/DragOutline.h"
#include "ui/PaintMessage.h"

namespace kv::ui {

namespace {
const char* const kSplitterClass = "KvSplitterEx";

int along(const RECT& r, bool horizontal) { return horizontal ? r.bottom - r.top : r.right - r.left; }
}  // namespace

TSplitterEx::TSplitterEx() {
    setBounds(0, 0, 3, 100);
    setAlign(Align::Left);
}

void TSplitterEx::createParams(CreateArgs& args) {
    Wnd::registerClass(kSplitterClass, CS_DBLCLKS, nullptr, nullptr, nullptr);
    Control::createParams(args);
    args.className = kSplitterClass;
}

// The control it is aligned against: same alignment, touching its near edge.
Control* TSplitterEx::before() const {
    if (!parent()) return nullptr;
    const RECT s = bounds();
    for (Control* c : parent()->children()) {
        if (c == this || !c->visible() || c->align() != align()) continue;
        const RECT b = c->bounds();
        const bool touches = align() == Align::Left ? b.right == s.left
                           : align() == Align::Right ? b.left == s.right
                           : align() == Align::Top ? b.bottom == s.top
                                                   : b.top == s.bottom;
        if (touches) return c;
    }
    return nullptr;
}

// The control one pixel beyond its far edge.
Control* TSplitterEx::after() const {
    if (!parent()) return nullptr;
    const RECT s = bounds();
    POINT p{(s.left + s.right) / 2, (s.top + s.bottom) / 2};
    switch (align()) {
    case Align::Left: p.x = s.right; break;
    case Align::Right: p.x = s.left - 1; break;
    case Align::Top: p.y = s.bottom; break;
    default: p.y = s.top - 1; break;
    }
    for (Control* c : parent()->children()) {
        if (c == this || !c->visible()) continue;
        const RECT b = c->bounds();
        if (PtInRect(&b, p)) return c;
    }
    return nullptr;
}

void TSplitterEx::resize(Control& first, Control& second, RECT f, RECT s, int size) {
    const bool h = horizontal();
    const int span = along(f, h) + along(s, h);
    const int rest = span - size;
    switch (align()) {
    case Align::Left:
        first.setBounds(f.left, f.top, size, f.bottom - f.top);
        second.setBounds(f.left + size + width(), s.top, rest, s.bottom - s.top);
        break;
    case Align::Right:
        first.setBounds(f.right - size, f.top, size, f.bottom - f.top);
        second.setBounds(s.left, s.top, rest, s.bottom - s.top);
        break;
    case Align::Top:
        first.setBounds(f.left, f.top, f.right - f.left, size);
        second.setBounds(s.left, f.top + size + height(), s.right - s.left, rest);
        break;
    default:
        first.setBounds(f.left, f.bottom - size, f.right - f.left, size);
        second.setBounds(s.left, s.top, s.right - s.left, rest);
        break;
    }
    if (parent()) parent()->realign();
}

void TSplitterEx::runDrag(POINT start) {
    Control* first = before();
    Control* second = after();
    // Without both neighbours there is nothing to share.
    if (!first || !second || !parent()) return;
    const bool h = horizontal();
    const RECT f0 = first->bounds();
    const RECT s0 = second->bounds();
    const RECT client = parent()->clientRect();
    int aligned = 0;
    for (Control* c : parent()->children())
        if (c->visible() && (h ? (c->align() == Align::Top || c->align() == Align::Bottom)
                               : (c->align() == Align::Left || c->align() == Align::Right)))
            aligned += along(c->bounds(), h);
    const auto limits = SplitterSizeLimits({along(client, h), aligned, along(f0, h), MinSize});
    if (!limits) return;
    const bool reversed = align() == Align::Right || align() == Align::Bottom;
    POINT origin = start;
    ClientToScreen(hwnd(), &origin);

    const int firstSize = along(f0, h);
    int size = firstSize;
    bool apply = false;
    {
        // The line shows where the splitter would go, on the parent.
        GdiObject<HBRUSH> brush = makeHalftoneBrush();
        HDC dc = GetDCEx(parent()->hwnd(), nullptr, DCX_CACHE | DCX_CLIPSIBLINGS);
        std::optional<RECT> shown;
        auto line = [&](int newSize) {
            if (shown) invertFrame(dc, *shown, 3, brush.get());
            RECT s = bounds();
            const int delta = (newSize - firstSize) * (reversed ? -1 : 1);
            if (h)
                OffsetRect(&s, 0, delta);
            else
                OffsetRect(&s, delta, 0);
            invertFrame(dc, s, 3, brush.get());
            shown = s;
        };
        line(size);
        SetCapture(hwnd());
        MSG msg;
        for (;;) {
            if (!nextDragMessage(msg)) break;
            if (msg.message == WM_KEYDOWN && msg.wParam == VK_ESCAPE) break;
            if (msg.message == WM_MOUSEMOVE || msg.message == WM_LBUTTONUP) {
                POINT p{GET_X_LPARAM(msg.lParam), GET_Y_LPARAM(msg.lParam)};
                ClientToScreen(msg.hwnd, &p);
                const int offset = (h ? p.y - origin.y : p.x - origin.x) * (reversed ? -1 : 1);
                size = SplitterDraggedSize(*limits, firstSize, offset);
                line(size);
                if (DragUpdate) resize(*first, *second, f0, s0, size);
                if (msg.message == WM_LBUTTONUP) {
                    apply = true;
                    break;
                }
                continue;
            }
            if (msg.message >= WM_MOUSEFIRST && msg.message <= WM_MOUSELAST) continue;
            if (msg.message == WM_KEYDOWN || msg.message == WM_KEYUP || msg.message == WM_CHAR) continue;
            DispatchMessageA(&msg);
        }
        if (shown) invertFrame(dc, *shown, 3, brush.get());
        ReleaseDC(parent()->hwnd(), dc);
        if (GetCapture() == hwnd()) ReleaseCapture();
    }
    if (!apply) {
        if (DragUpdate) resize(*first, *second, f0, s0, firstSize);
        return;
    }
    resize(*first, *second, f0, s0, size);
    if (OnMoved) OnMoved(*this);
}

void TSplitterEx::paint(HDC dc) {
    RECT r = clientRect();
    FillRect(dc, &r, colorBrush());
    if (!Beveled) return;
    // A raised frame inset 2 pixels along the splitter's length.
    if (horizontal())
        InflateRect(&r, -2, 0);
    else
        InflateRect(&r, 0, -2);
    DrawEdge(dc, &r, BDR_RAISEDINNER, BF_RECT);
}

LRESULT TSplitterEx::wndProc(UINT msg, WPARAM wp, LPARAM lp) {
    if (handlePaintMessage(hwnd(), msg, wp, [this](HDC dc) { paint(dc); })) return 0;
    switch (msg) {
    case WM_ERASEBKGND:
        return TRUE;
    case WM_SETCURSOR:
        SetCursor(LoadCursorA(nullptr, horizontal() ? IDC_SIZENS : IDC_SIZEWE));
        return TRUE;
    case WM_LBUTTONDOWN:
        runDrag({GET_X_LPARAM(lp), GET_Y_LPARAM(lp)});
        return 0;
    default:
        return Control::wndProc(msg, wp, lp);
    }
}

}  // namespace kv::ui
