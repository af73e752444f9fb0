#include "ui/Splitter.h"

#include <windowsx.h>

#include <algorithm>

#include "ui/DragLoop.h"
#include "ui/DragOutline.h"

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
    const RECT me = bounds();
    for (Control* c : parent()->children()) {
        if (c == this || c->align() != align() || !c->visible()) continue;
        const RECT r = c->bounds();
        const bool touches = align() == Align::Left    ? r.right == me.left
                             : align() == Align::Right ? r.left == me.right
                             : align() == Align::Top   ? r.bottom == me.top
                                                       : r.top == me.bottom;
        if (touches) return c;
    }
    return nullptr;
}

Control* Splitter::beyond() const {
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

std::optional<Splitter::SizeRange> Splitter::beginDrag(Control&) {
    const int room = along(parent()->clientRect());
    return SizeRange{MinSize, std::max(MinSize, room - MinSize)};
}

void Splitter::resizeTo(Control& first, int size) {
    const RECT r = first.bounds();
    if (horizontal())
        first.setBounds(r.left, r.top, r.right - r.left, size);
    else
        first.setBounds(r.left, r.top, size, r.bottom - r.top);
}

void Splitter::runDrag(POINT start) {
    if (!parent() || !hwnd()) return;
    ComponentRef<Control> first(neighbour());
    if (!first) return;
    const std::optional<SizeRange> range = beginDrag(*first.get());
    if (!range) return;
    const bool reversed = align() == Align::Right || align() == Align::Bottom;
    const bool live = followsMouse();
    const int firstSize = along(first->bounds());
    POINT origin = start;
    ClientToScreen(hwnd(), &origin);
    const HWND self = hwnd();
    int size = firstSize;
    bool finished = false;
    {
        // Without live resizing, the line is drawn with the parent's updates
        // locked, so nothing paints over it meanwhile.
        std::optional<DragOutline> line;
        auto showLine = [&] {
            RECT s = bounds();
            const int delta = (size - firstSize) * (reversed ? -1 : 1);
            OffsetRect(&s, horizontal() ? 0 : delta, horizontal() ? delta : 0);
            line->move(s, 3);
        };
        if (!live) {
            line.emplace(parent()->hwnd());
            showLine();
        }
        finished = RunDragLoop(self, [&](const MSG& msg) {
            if (msg.message == WM_MOUSEMOVE || msg.message == WM_LBUTTONUP) {
                const POINT p = dragMessagePoint(msg);
                const int offset = (horizontal() ? p.y - origin.y : p.x - origin.x) * (reversed ? -1 : 1);
                size = std::clamp(firstSize + offset, range->min, std::max(range->min, range->max));
                if (!first) return DragStep::Cancel;
                if (live)
                    resizeTo(*first.get(), size);
                else
                    showLine();
                return msg.message == WM_LBUTTONUP ? DragStep::Finish : DragStep::Swallow;
            }
            if (msg.message == WM_KEYDOWN && msg.wParam == VK_ESCAPE) return DragStep::Cancel;
            // Other mouse and key input waits until the drag is over.
            if (msg.message >= WM_MOUSEFIRST && msg.message <= WM_MOUSELAST) return DragStep::Swallow;
            if (msg.message == WM_KEYDOWN || msg.message == WM_KEYUP || msg.message == WM_CHAR) return DragStep::Swallow;
            return DragStep::Dispatch;
        });
    }
    // The splitter or its neighbour may have gone with a dispatched message.
    if (!IsWindow(self) || !first) return;
    if (!finished) {
        if (live && size != firstSize) resizeTo(*first.get(), firstSize);
        return;
    }
    resizeTo(*first.get(), size);
    if (OnMoved) OnMoved(*this);
}

LRESULT Splitter::wndProc(UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
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
