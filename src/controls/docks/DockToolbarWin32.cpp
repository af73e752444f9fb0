#include "controls/docks/DockToolbarWin32.h"

#include <windowsx.h>

#include <algorithm>

#include "controls/docks/DockSiteWin32.h"
#include "controls/docks/FloatingToolbarWin32.h"
#include "ui/PaintMessage.h"
#include "ui/UiErrors.h"

namespace kv::ui {

namespace {
const char* const kToolbarClass = "KvDockToolbar";
const char* const kSepClass = "KvDockToolbarSep";
}  // namespace

TDockToolbar::TDockToolbar(Form& owner) : form_(owner) {
    setOwner(&owner);
    style_ = WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN | WS_CLIPSIBLINGS;
    formListener_ = owner.addMessageListener([this](Form&, UINT msg, WPARAM& wp, LPARAM& lp, LRESULT&) {
        return onFormMessage(msg, wp, lp);
    });
}

TDockToolbar::~TDockToolbar() {
    beginDestroy();
    formListener_.reset();
    if (TDockSite* d = dockedTo_.get()) d->removeBar(*this);
    destroyWindow();
    floatWindow_.reset();
}

void TDockToolbar::createParams(CreateArgs& args) {
    Wnd::registerClass(kToolbarClass);
    Control::createParams(args);
    args.className = kToolbarClass;
}

void TDockToolbar::destroyWnd() {
    if (hwnd() && !destroying()) {
        recreating_ = true;
        if (OnRecreating) OnRecreating(*this);
    }
    Control::destroyWnd();
}

void TDockToolbar::createWnd() {
    Control::createWnd();
    if (recreating_ && hwnd()) {
        recreating_ = false;
        if (OnRecreated) OnRecreated(*this);
    }
}

void TDockToolbar::SetCloseButton(bool close) {
    closeButton_ = close;
    if (HWND f = floatingWindow())
        SetWindowPos(f, nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
}

HWND TDockToolbar::floatingWindow() const { return floatWindow_ ? floatWindow_->hwnd() : nullptr; }

ToolbarOrientation TDockToolbar::orientation() const {
    if (!dockedTo_) return ToolbarOrientation::Floating;
    return dockedTo_->vertical() ? ToolbarOrientation::Vertical : ToolbarOrientation::Horizontal;
}

bool TDockToolbar::dragHandle() const { return !dockedTo_ || dockedTo_->AllowDrag(); }

std::vector<Control*> TDockToolbar::controlOrder() {
    std::erase_if(order_, [&](Control* c) { return std::find(children().begin(), children().end(), c) == children().end(); });
    for (Control* c : children())
        if (std::find(order_.begin(), order_.end(), c) == order_.end()) order_.push_back(c);
    return order_;
}

void TDockToolbar::SetControlOrderIndex(Control& control, int index) {
    controlOrder();
    auto it = std::find(order_.begin(), order_.end(), &control);
    if (it == order_.end()) throw EInvalidOperation("Control is not a child of the toolbar");
    order_.erase(it);
    index = std::clamp(index, 0, static_cast<int>(order_.size()));
    order_.insert(order_.begin() + index, &control);
    layoutControls();
}

void TDockToolbar::SetOrientationPair(Control& vertical, Control& other) {
    const auto& kids = children();
    for (Control* c : {&vertical, &other})
        if (std::find(kids.begin(), kids.end(), c) == kids.end())
            throw EInvalidOperation("Control is not a child of the toolbar");
    pairs_.emplace_back(ComponentRef<Control>(&vertical), ComponentRef<Control>(&other));
    layoutControls();
}

bool TDockToolbar::pairedAway(const Control* c, ToolbarOrientation o) const {
    const bool vertical = o == ToolbarOrientation::Vertical;
    for (const auto& [v, other] : pairs_)
        if ((c == v.get() && !vertical) || (c == other.get() && vertical)) return true;
    return false;
}

std::vector<ToolbarItem> TDockToolbar::layoutItems(const std::vector<Control*>& order, ToolbarOrientation o) {
    std::vector<ToolbarItem> items;
    for (Control* c : order) {
        ToolbarItem item;
        const RECT b = c->bounds();
        item.width = b.right - b.left;
        item.height = b.bottom - b.top;
        item.visible = c->visible() && !pairedAway(c, o);
        if (auto* sep = dynamic_cast<TDockToolbarSep*>(c)) {
            item.separator = true;
            item.sizeHorz = sep->SizeHorz();
            item.sizeVert = sep->SizeVert();
        }
        items.push_back(item);
    }
    return items;
}

ToolbarLayout TDockToolbar::computeLayout(ToolbarOrientation o, int rowThickness) {
    ToolbarLayoutInput in;
    in.orientation = o;
    in.dragHandle = o == ToolbarOrientation::Floating || dragHandle();
    // Never set: the whole single line.
    in.wrapWidth = FloatRightX;
    in.minThickness = rowThickness;
    return LayoutControls(in, layoutItems(controlOrder(), o));
}

DockSize TDockToolbar::measureFor(ToolbarOrientation o) { return computeLayout(o, 0).size; }

void TDockToolbar::layoutControls() {
    if (loading() || destroying() || placing_) return;
    const ToolbarOrientation o = orientation();
    const ToolbarLayout l = computeLayout(o, o == ToolbarOrientation::Floating ? 0 : rowThickness_);
    const std::vector<Control*> order = controlOrder();
    lineSeparators_.clear();
    for (std::size_t i = 0; i < order.size(); ++i) {
        const DockRect& r = l.items[i].bounds;
        if (!order[i]->visible()) continue;
        // Of a pair, only the one for this orientation shows; its state stays visible.
        if (HWND h = order[i]->hwnd()) {
            const bool away = pairedAway(order[i], o);
            if (away == ((GetWindowLongA(h, GWL_STYLE) & WS_VISIBLE) != 0)) ShowWindow(h, away ? SW_HIDE : SW_SHOWNA);
            if (away) continue;
        }
        order[i]->setBounds(r.left, r.top, r.width(), r.height());
        if (l.items[i].lineSeparator && o == ToolbarOrientation::Floating) {
            auto* sep = dynamic_cast<TDockToolbarSep*>(order[i]);
            if (!sep || !sep->Blank()) lineSeparators_.push_back({1, l.items[i].nextLineOffset, 0, 0});
        }
    }
    const RECT b = bounds();
    if (b.right - b.left != l.size.width || b.bottom - b.top != l.size.height) {
        placing_ = true;
        setBounds(b.left, b.top, l.size.width, l.size.height);
        placing_ = false;
        if (floating()) {
            const DockRect c = floatRect();
            setFloatRect({c.left, c.top, c.left + l.size.width, c.top + l.size.height});
        } else if (TDockSite* d = dockedTo_.get()) {
            d->ArrangeToolbars();
        }
    }
    if (hwnd()) InvalidateRect(hwnd(), nullptr, TRUE);
}

void TDockToolbar::placeInDock(int row, int pos, int rowStart, int thickness) {
    dockRow_ = row;
    dockPos_ = pos;
    rowThickness_ = thickness;
    const ToolbarLayout l = computeLayout(orientation(), thickness);
    placing_ = true;
    const bool vertical = dockedTo_ && dockedTo_->vertical();
    if (vertical)
        setBounds(rowStart, pos, l.size.width, l.size.height);
    else
        setBounds(pos, rowStart, l.size.width, l.size.height);
    placing_ = false;
    layoutControls();
}

void TDockToolbar::SetDockRow(int row) {
    dockRow_ = row;
    if (TDockSite* d = dockedTo_.get()) d->ArrangeToolbars();
}

void TDockToolbar::SetDockPos(int pos) {
    dockPos_ = pos;
    if (TDockSite* d = dockedTo_.get()) d->ArrangeToolbars();
}

DockRect TDockToolbar::floatRect() const { return shrinkByFloatingFrame(floatRect_); }

void TDockToolbar::setFloatRect(const DockRect& c) {
    floatRect_ = growByFloatingFrame(c);
    if (HWND f = floatingWindow())
        SetWindowPos(f, nullptr, floatRect_.left, floatRect_.top, floatRect_.width(), floatRect_.height(),
                     SWP_NOZORDER | SWP_NOACTIVATE);
}

void TDockToolbar::moveTo(Control* newParent) {
    const bool moving = hwnd() && newParent && newParent->hwnd() && GetParent(hwnd()) != newParent->hwnd();
    if (moving && OnRecreating) OnRecreating(*this);
    create(newParent);
    if (moving) {
        SetParent(hwnd(), newParent->hwnd());
        if (OnRecreated) OnRecreated(*this);
    }
}

void TDockToolbar::SetDockedTo(TDockSite* dock) {
    TDockSite* old = dockedTo_.get();
    const bool changing = old != dock || (!dock && !floatWindow_);
    if (!changing) return;
    if (OnDockChanging) OnDockChanging(*this);
    {
        // Both docks arrange at the end, the old one first, also when a step fails.
        ArrangeLock newDock(dock);
        ArrangeLock oldDock(old);
        moveBetween(old, dock);
    }
    if (OnDockChanged) OnDockChanged(*this);
}

void TDockToolbar::moveBetween(TDockSite* old, TDockSite* dock) {
    if (old) lastDock_ = old;
    const bool wasVisible = visible();
    if (wasVisible && hwnd()) ShowWindow(hwnd(), SW_HIDE);
    if (old) old->removeBar(*this);
    dockedTo_ = dock;
    if (dock) {
        rowThickness_ = 0;
        moveTo(dock);
        if (floatWindow_) floatWindow_->showShown(false);
        if (wasVisible) dock->insertBar(*this);
    } else {
        if (floatRect_.empty()) {
            const RECT b = bounds();
            const DockRect grown = growByFloatingFrame({0, 0, b.right - b.left, b.bottom - b.top});
            floatRect_ = {0, 0, grown.width(), grown.height()};
        }
        if (!floatWindow_) floatWindow_ = std::make_unique<FloatingToolbarWindow>(*this);
        floatWindow_->setBounds(floatRect_.left, floatRect_.top, floatRect_.width(), floatRect_.height());
        floatWindow_->createHandle();
        moveTo(floatWindow_.get());
        placing_ = true;
        setBounds(0, 0, bounds().right - bounds().left, bounds().bottom - bounds().top);
        placing_ = false;
    }
    layoutControls();
    if (!dock) {
        // The window fits the toolbar, whatever size the rectangle had.
        const DockRect c = floatRect();
        setFloatRect({c.left, c.top, c.left + width(), c.top + height()});
    }
    if (wasVisible && hwnd()) ShowWindow(hwnd(), SW_SHOWNA);
    syncFloatingVisibility();
}

void TDockToolbar::dockGone(TDockSite& dock) {
    if (dockedTo_.get() == &dock) {
        std::erase(dock.bars_, this);
        dockedTo_ = nullptr;
        if (hwnd()) ShowWindow(hwnd(), SW_HIDE);
    }
}

void TDockToolbar::closeFromFrame() {
    setVisible(false);
    if (OnClose) OnClose(*this);
}

// Floating windows show only while the program is active and the form shown.
void TDockToolbar::syncFloatingVisibility() {
    if (!floatWindow_ || !floatWindow_->hwnd()) return;
    HWND f = form_.hwnd();
    const bool formShown = f && IsWindowVisible(f) && !IsIconic(f);
    const bool active = appActive_ && (formActive_ || !HideFloatingWhenFormInactive);
    floatWindow_->showShown(floating() && visible() && active && formShown);
}

bool TDockToolbar::onFormMessage(UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
    case WM_ACTIVATEAPP:
        appActive_ = wp != FALSE;
        syncFloatingVisibility();
        break;
    case WM_ACTIVATE:
        // Its own floating window taking the activation leaves the form in charge.
        formActive_ = LOWORD(wp) != WA_INACTIVE ||
                      (floatWindow_ && reinterpret_cast<HWND>(lp) == floatWindow_->hwnd());
        syncFloatingVisibility();
        break;
    case WM_WINDOWPOSCHANGED:
    case WM_SHOWWINDOW:
    case WM_SIZE:
        syncFloatingVisibility();
        break;
    default:
        break;
    }
    return false;
}

bool TDockToolbar::onFreeSpot(POINT p) const {
    for (Control* c : children()) {
        if (!c->visible() || dynamic_cast<TDockToolbarSep*>(c)) continue;
        const RECT b = c->bounds();
        if (PtInRect(&b, p)) return false;
    }
    return true;
}

void TDockToolbar::paint(HDC dc) {
    RECT r;
    GetClientRect(hwnd(), &r);
    // Docked, the dock's picture goes on under the toolbar.
    paintParentBackground(dc, r);
    if (floating()) {
        for (const DockRect& line : lineSeparators_) {
            RECT shadow{line.left, line.top - 4, r.right - 1, line.top - 3};
            RECT light{line.left, line.top - 3, r.right - 1, line.top - 2};
            FillRect(dc, &shadow, GetSysColorBrush(COLOR_BTNSHADOW));
            FillRect(dc, &light, GetSysColorBrush(COLOR_BTNHIGHLIGHT));
        }
        return;
    }
    RECT edge = r;
    DrawEdge(dc, &edge, BDR_RAISEDINNER, BF_RECT);
    if (!dragHandle()) return;
    const bool vertical = orientation() == ToolbarOrientation::Vertical;
    for (int start : {4, 7}) {
        RECT bar = vertical ? RECT{2, start, r.right - 2, start + 3} : RECT{start, 2, start + 3, r.bottom - 2};
        DrawEdge(dc, &bar, BDR_RAISEDINNER, BF_RECT | BF_MIDDLE);
        if (vertical)
            SetPixel(dc, bar.right - 1, bar.top, GetSysColor(COLOR_BTNHIGHLIGHT));
        else
            SetPixel(dc, bar.left, bar.bottom - 1, GetSysColor(COLOR_BTNHIGHLIGHT));
    }
}

LRESULT TDockToolbar::wndProc(UINT msg, WPARAM wp, LPARAM lp) {
    if (handlePaintMessage(hwnd(), msg, wp, [this](HDC dc) { paint(dc); })) return 0;
    switch (msg) {
    case WM_ERASEBKGND:
        return 1;
    case WM_LBUTTONDOWN: {
        const POINT p{GET_X_LPARAM(lp), GET_Y_LPARAM(lp)};
        if (onFreeSpot(p) && dragHandle()) beginDrag(p, (wp & MK_CONTROL) != 0);
        return 0;
    }
    case WM_LBUTTONDBLCLK: {
        // Floating, it goes home to its default dock; docked, it floats where
        // it was last floating, as its hint says.
        const POINT p{GET_X_LPARAM(lp), GET_Y_LPARAM(lp)};
        if (!onFreeSpot(p)) return 0;
        if (floating()) {
            if (DefaultDock()) SetDockedTo(DefaultDock());
        } else if (dragHandle()) {
            SetDockedTo(nullptr);
        }
        return 0;
    }
    case WM_MOUSEACTIVATE:
        activateForClick(form_);
        return MA_NOACTIVATE;
    case WM_SIZE: {
        const LRESULT r = Control::wndProc(msg, wp, lp);
        InvalidateRect(hwnd(), nullptr, TRUE);
        return r;
    }
    case WM_MOVE:
        if (TDockSite* d = dockedTo_.get(); d && d->Background())
            RedrawWindow(hwnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
        return Control::wndProc(msg, wp, lp);
    default:
        return Control::wndProc(msg, wp, lp);
    }
}

TDockToolbarSep::TDockToolbarSep(TDockToolbar& toolbar) : toolbar_(toolbar) {
    setOwner(&toolbar.form());
    style_ = WS_CHILD | WS_VISIBLE;
    setBounds(0, 0, 6, 6);
    create(&toolbar);
}

void TDockToolbarSep::createParams(CreateArgs& args) {
    Wnd::registerClass(kSepClass);
    Control::createParams(args);
    args.className = kSepClass;
}

void TDockToolbarSep::SetBlank(bool blank) {
    blank_ = blank;
    if (hwnd()) InvalidateRect(hwnd(), nullptr, TRUE);
}

void TDockToolbarSep::SetSizeHorz(int size) {
    sizeHorz_ = std::max(size, 1);
    toolbar_.layoutControls();
}

void TDockToolbarSep::SetSizeVert(int size) {
    sizeVert_ = std::max(size, 1);
    toolbar_.layoutControls();
}

LRESULT TDockToolbarSep::wndProc(UINT msg, WPARAM wp, LPARAM lp) {
    const bool painted = handlePaintMessage(hwnd(), msg, wp, [this](HDC dc) {
        RECT r;
        GetClientRect(hwnd(), &r);
        paintParentBackground(dc, r);
        if (!blank_) {
            if (toolbar_.orientation() == ToolbarOrientation::Vertical) {
                const int y = (r.bottom - 2) / 2;
                RECT a{r.left, y, r.right, y + 1}, b{r.left, y + 1, r.right, y + 2};
                FillRect(dc, &a, GetSysColorBrush(COLOR_BTNSHADOW));
                FillRect(dc, &b, GetSysColorBrush(COLOR_BTNHIGHLIGHT));
            } else {
                const int x = (r.right - 2) / 2;
                RECT a{x, r.top, x + 1, r.bottom}, b{x + 1, r.top, x + 2, r.bottom};
                FillRect(dc, &a, GetSysColorBrush(COLOR_BTNSHADOW));
                FillRect(dc, &b, GetSysColorBrush(COLOR_BTNHIGHLIGHT));
            }
        }
    });
    if (painted) return 0;
    if (msg == WM_LBUTTONDOWN || msg == WM_LBUTTONDBLCLK) {
        // A press on a separator is a press on the toolbar.
        POINT p{GET_X_LPARAM(lp), GET_Y_LPARAM(lp)};
        MapWindowPoints(hwnd(), toolbar_.hwnd(), &p, 1);
        return SendMessageA(toolbar_.hwnd(), msg, wp, MAKELPARAM(p.x, p.y));
    }
    return Control::wndProc(msg, wp, lp);
}

}  // namespace kv::ui
