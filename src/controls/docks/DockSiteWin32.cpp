#include "controls/docks/DockSiteWin32.h"

#include <algorithm>

#include "base/ScopedFlag.h"
#include "controls/docks/DockToolbarWin32.h"
#include "ui/UiErrors.h"

namespace kv::ui {

namespace {
Align alignFor(TDockPosition p) {
    switch (p) {
    case TDockPosition::dpTop: return Align::Top;
    case TDockPosition::dpBottom: return Align::Bottom;
    case TDockPosition::dpLeft: return Align::Left;
    case TDockPosition::dpRight: return Align::Right;
    }
    return Align::Top;
}
const char* const kDockClass = "KvDockSite";

// A 24-bit copy of bitmap in which its bottom-left colour is replaced by colour.
GdiObject<HBITMAP> replaceSeeThrough(HBITMAP bitmap, COLORREF colour) {
    const SIZE size = bitmapSize(bitmap);
    PixelBitmap copy = createPixelBitmap(size.cx, size.cy);
    if (!copy.pixels) return {};
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(dc, copy.bitmap.get());
    Canvas(dc).draw(0, 0, bitmap);
    SelectObject(dc, old);
    DeleteDC(dc);
    GdiFlush();
    DWORD* px = copy.pixels;
    const std::size_t count = static_cast<std::size_t>(size.cx) * static_cast<std::size_t>(size.cy);
    const DWORD see = px[count - static_cast<std::size_t>(size.cx)] & 0xFFFFFF;
    for (std::size_t i = 0; i < count; ++i)
        if ((px[i] & 0xFFFFFF) == see) px[i] = toPixel(colour);
    return std::move(copy.bitmap);
}
}  // namespace

TDockSite::TDockSite(Form& owner, TDockPosition position) : form_(owner), position_(position) {
    setOwner(&owner);
    style_ = WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN | WS_CLIPSIBLINGS;
    setBounds(0, 0, 0, 0);
    setAlign(alignFor(position));
}

TDockSite::~TDockSite() {
    beginDestroy();
    for (TDockToolbar* bar : std::vector<TDockToolbar*>(bars_)) bar->dockGone(*this);
}

void TDockSite::createParams(CreateArgs& args) {
    Wnd::registerClass(kDockClass);
    Control::createParams(args);
    args.className = kDockClass;
}

void TDockSite::SetAllowDrag(bool allow) {
    if (allow == allowDrag_) return;
    allowDrag_ = allow;
    for (TDockToolbar* bar : bars_) bar->layoutControls();
    ArrangeToolbars();
}

void TDockSite::SetFixAlign(bool fix) {
    fixAlign_ = fix;
    ArrangeToolbars();
}

void TDockSite::SetLimitToOneRow(bool one) {
    limitToOneRow_ = one;
    ArrangeToolbars();
}

void TDockSite::SetBoundLines(unsigned lines) {
    boundLines_ = lines;
    if (hwnd())
        SetWindowPos(hwnd(), nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
    ArrangeToolbars();
}

void TDockSite::SetPosition(TDockPosition position) {
    if (position == position_) return;
    if (!children().empty())
        throw EInvalidOperation("Cannot change Position of a TDockSite if it already contains controls");
    position_ = position;
    setAlign(alignFor(position));
    ArrangeToolbars();
}

void TDockSite::SetVisible(bool visible) {
    if (!visible) throw EInvalidOperation("Cannot hide a TDockSite");
    setVisible(true);
}

void TDockSite::SetBackground(HBITMAP bitmap) {
    const SIZE size = bitmapSize(bitmap);
    // An empty picture is no picture: nothing to tile.
    background_.reset(bitmap && size.cx > 0 && size.cy > 0
                          ? static_cast<HBITMAP>(CopyImage(bitmap, IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION))
                          : nullptr);
    backgroundChanged();
}

void TDockSite::SetBackgroundTransparent(bool transparent) {
    if (transparent == backgroundTransparent_) return;
    backgroundTransparent_ = transparent;
    backgroundChanged();
}

void TDockSite::backgroundChanged() {
    transparentCopy_.reset();
    backgroundBrush_.reset();
    if (hwnd()) RedrawWindow(hwnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

HBRUSH TDockSite::backgroundBrush() const {
    if (!background_.get()) return nullptr;
    // The dock may have been given another colour since the copy was made.
    if (backgroundTransparent_ && copyColor_ != color()) backgroundBrush_.reset();
    if (!backgroundBrush_.get()) {
        HBITMAP image = background_.get();
        if (backgroundTransparent_) {
            copyColor_ = color();
            transparentCopy_ = replaceSeeThrough(background_.get(), copyColor_);
            image = transparentCopy_.get();
        }
        if (image) backgroundBrush_.reset(CreatePatternBrush(image));
    }
    return backgroundBrush_.get();
}

bool TDockSite::paintBackgroundBehind(const Control& target, HDC dc, const RECT& r) const {
    HBRUSH brush = backgroundBrush();
    if (!brush || !target.hwnd() || !form_.hwnd()) return false;
    POINT at{0, 0};
    ClientToScreen(target.hwnd(), &at);
    ScreenToClient(form_.hwnd(), &at);
    const SIZE size = bitmapSize(background_.get());
    const DockPoint origin = TileOrigin({at.x, at.y}, {size.cx, size.cy});
    POINT old;
    SetBrushOrgEx(dc, origin.x, origin.y, &old);
    FillRect(dc, &r, brush);
    SetBrushOrgEx(dc, old.x, old.y, nullptr);
    return true;
}

void TDockSite::unlockArrange() {
    if (lock_ > 0 && --lock_ == 0) ArrangeToolbars();
}

int TDockSite::boundLineCount() const {
    const unsigned across = vertical() ? (blLeft | blRight) : (blTop | blBottom);
    int n = 0;
    for (unsigned b : {blTop, blBottom, blLeft, blRight})
        if ((boundLines_ & b) && (across & b)) ++n;
    return n;
}

void TDockSite::insertBar(TDockToolbar& bar) {
    if (std::find(bars_.begin(), bars_.end(), &bar) != bars_.end()) return;
    bars_.push_back(&bar);
    ArrangeToolbars();
    if (OnInsertRemoveBar) OnInsertRemoveBar(*this, true, bar);
}

void TDockSite::removeBar(TDockToolbar& bar) {
    if (std::erase(bars_, &bar) == 0) return;
    ArrangeToolbars();
    if (OnInsertRemoveBar) OnInsertRemoveBar(*this, false, bar);
}

void TDockSite::childVisibilityChanged(Control& child) {
    if (auto* bar = dynamic_cast<TDockToolbar*>(&child)) {
        if (bar->visible())
            insertBar(*bar);
        else
            removeBar(*bar);
        return;
    }
    Control::childVisibilityChanged(child);
}

void TDockSite::ArrangeToolbars() {
    if (lock_ > 0 || loading() || destroying() || arranging_) return;
    DockArrangement a;
    {
        // Cleared also when placing a toolbar fails.
        ScopedFlag arranging(arranging_);
        a = arrangement();
        rows_ = a.rowThickness;
        for (std::size_t i = 0; i < bars_.size(); ++i) {
            const DockBarPlacement& p = a.bars[i];
            bars_[i]->placeInDock(p.row, p.pos, p.rowStart, p.thickness);
        }
    }
    setThickness(a.thickness);
}

DockArrangement TDockSite::arrangement() {
    std::vector<DockBarInput> in;
    for (TDockToolbar* bar : bars_) {
        const DockSize s = bar->measureFor(vertical() ? ToolbarOrientation::Vertical : ToolbarOrientation::Horizontal);
        const int length = vertical() ? s.height : s.width;
        const int thickness = (vertical() ? s.width : s.height) - 2 * kDockBorder;
        in.push_back({bar->DockRow(), bar->DockPos(), length, thickness});
    }
    DockArrangeOptions o;
    const RECT client = clientRect();
    o.clientLength = vertical() ? client.bottom - client.top : client.right - client.left;
    if (o.clientLength <= 0 && parent()) {
        const RECT pc = parent()->clientRect();
        o.clientLength = vertical() ? pc.bottom - pc.top : pc.right - pc.left;
    }
    o.limitToOneRow = limitToOneRow_;
    o.fixAlign = fixAlign_;
    o.boundLines = boundLineCount();
    return ArrangeDock(in, o);
}

void TDockSite::setThickness(int thickness) {
    const RECT b = bounds();
    const int now = vertical() ? b.right - b.left : b.bottom - b.top;
    if (now == thickness) return;
    if (vertical())
        setBounds(position_ == TDockPosition::dpRight ? b.right - thickness : b.left, b.top, thickness, b.bottom - b.top);
    else
        setBounds(b.left, position_ == TDockPosition::dpBottom ? b.bottom - thickness : b.top, b.right - b.left, thickness);
    if (OnResize) OnResize(*this);
}

LRESULT TDockSite::wndProc(UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
    case WM_NCCALCSIZE: {
        auto* r = reinterpret_cast<RECT*>(lp);
        if (r->right - r->left > 1 && r->bottom - r->top > 1) {
            if (boundLines_ & blTop) ++r->top;
            if (boundLines_ & blBottom) --r->bottom;
            if (boundLines_ & blLeft) ++r->left;
            if (boundLines_ & blRight) --r->right;
        }
        return 0;
    }
    case WM_NCPAINT: {
        if (!boundLines_) return 0;
        HDC dc = GetWindowDC(hwnd());
        RECT w;
        GetWindowRect(hwnd(), &w);
        OffsetRect(&w, -w.left, -w.top);
        auto line = [&](int x1, int y1, int x2, int y2, int colour) {
            RECT r{x1, y1, x2, y2};
            FillRect(dc, &r, GetSysColorBrush(colour));
        };
        if (boundLines_ & blTop) line(0, 0, w.right, 1, COLOR_BTNSHADOW);
        if (boundLines_ & blLeft) line(0, 0, 1, w.bottom, COLOR_BTNSHADOW);
        if (boundLines_ & blBottom) line(0, w.bottom - 1, w.right, w.bottom, COLOR_BTNHIGHLIGHT);
        if (boundLines_ & blRight) line(w.right - 1, 0, w.right, w.bottom, COLOR_BTNHIGHLIGHT);
        ReleaseDC(hwnd(), dc);
        return 0;
    }
    case WM_ERASEBKGND: {
        RECT r;
        GetClientRect(hwnd(), &r);
        if (!paintBackgroundBehind(*this, reinterpret_cast<HDC>(wp), r)) FillRect(reinterpret_cast<HDC>(wp), &r, colorBrush());
        return 1;
    }
    case WM_SYSCOLORCHANGE:
        backgroundChanged();
        return Control::wndProc(msg, wp, lp);
    case WM_MOVE:
        // The tiles follow the form's grid: a moved dock shows another part.
        if (background_.get()) RedrawWindow(hwnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
        return Control::wndProc(msg, wp, lp);
    case WM_SIZE: {
        const LRESULT r = Control::wndProc(msg, wp, lp);
        ArrangeToolbars();
        return r;
    }
    default:
        return Control::wndProc(msg, wp, lp);
    }
}

}  // namespace kv::ui
