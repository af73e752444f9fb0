#include "controls/small/SplitterExWin32.h"

#include "controls/small/SmallControlRules.h"
#include "ui/PaintMessage.h"

namespace kv::ui {

namespace {
const char* const kSplitterClass = "KvSplitterEx";
}  // namespace

TSplitterEx::TSplitterEx() {
    setBounds(0, 0, 3, 100);
    setAlign(Align::Left);
}

void TSplitterEx::createParams(CreateArgs& args) {
    Splitter::createParams(args);
    Wnd::registerClass(kSplitterClass, CS_DBLCLKS, nullptr, nullptr, nullptr);
    args.className = kSplitterClass;
}

std::optional<Splitter::SizeRange> TSplitterEx::beginDrag(Control& first) {
    // Without both neighbours there is nothing to share.
    Control* second = beyond();
    if (!second) return std::nullopt;
    const bool h = horizontal();
    int aligned = 0;
    for (Control* c : parent()->children())
        if (c->visible() && (h ? (c->align() == Align::Top || c->align() == Align::Bottom)
                               : (c->align() == Align::Left || c->align() == Align::Right)))
            aligned += along(c->bounds());
    firstStart_ = first.bounds();
    secondStart_ = second->bounds();
    const auto limits = SplitterSizeLimits({along(parent()->clientRect()), aligned, along(firstStart_), MinSize});
    if (!limits) return std::nullopt;
    second_ = second;
    return SizeRange{limits->min, limits->max};
}

void TSplitterEx::resizeTo(Control& first, int size) {
    Control* second = second_.get();
    if (!second) return;
    const RECT f = firstStart_;
    const RECT s = secondStart_;
    const int rest = along(f) + along(s) - size;
    switch (align()) {
    case Align::Left:
        first.setBounds(f.left, f.top, size, f.bottom - f.top);
        second->setBounds(f.left + size + width(), s.top, rest, s.bottom - s.top);
        break;
    case Align::Right:
        first.setBounds(f.right - size, f.top, size, f.bottom - f.top);
        second->setBounds(s.left, s.top, rest, s.bottom - s.top);
        break;
    case Align::Top:
        first.setBounds(f.left, f.top, f.right - f.left, size);
        second->setBounds(s.left, f.top + size + height(), s.right - s.left, rest);
        break;
    default:
        first.setBounds(f.left, f.bottom - size, f.right - f.left, size);
        second->setBounds(s.left, s.top, s.right - s.left, rest);
        break;
    }
    if (parent()) parent()->realign();
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
    if (msg == WM_ERASEBKGND) return TRUE;
    return Splitter::wndProc(msg, wp, lp);
}

}  // namespace kv::ui
