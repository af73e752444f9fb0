#include "ui/Control.h"

#include <algorithm>

#include "ui/Application.h"
#include "ui/HintManager.h"
#include "ui/Menu.h"

namespace kv::ui {

UINT currentShiftState() {
    UINT s = 0;
    if (GetKeyState(VK_SHIFT) < 0) s |= kShift;
    if (GetKeyState(VK_CONTROL) < 0) s |= kCtrl;
    if (GetKeyState(VK_MENU) < 0) s |= kAlt;
    return s;
}

bool hasMnemonic(const std::string& caption, char key) {
    for (size_t i = 0; i + 1 < caption.size(); ++i) {
        if (caption[i] != '&') continue;
        if (caption[i + 1] == '&') {
            ++i;
            continue;
        }
        return CharUpperA(reinterpret_cast<LPSTR>(static_cast<UINT_PTR>(static_cast<unsigned char>(caption[i + 1])))) ==
               CharUpperA(reinterpret_cast<LPSTR>(static_cast<UINT_PTR>(static_cast<unsigned char>(key))));
    }
    return false;
}

Control::~Control() {
    destroyWindow();
    if (brush_) DeleteObject(brush_);
    for (Control* c : children_) c->parent_ = nullptr;
    if (parent_) parent_->removeChild(this);
}

void Control::addChild(Control* child) {
    if (std::find(children_.begin(), children_.end(), child) == children_.end()) children_.push_back(child);
}

void Control::removeChild(Control* child) { std::erase(children_, child); }

void Control::create(Control* parent) {
    if (parent != parent_) {
        if (parent_) parent_->removeChild(this);
        parent_ = parent;
        if (parent_) parent_->addChild(this);
    }
    if (!id_ && parent_) id_ = allocateControlId();
    // Without the parent's window this one waits and comes with the parent's.
    if (parent_ && !parent_->hwnd()) return;
    createTree();
    if (parent_ && align_ != Align::None) parent_->realign();
}

void Control::createParams(CreateArgs& args) {
    args.style = style_;
    args.exStyle = exStyle_;
    if (parent_) args.style = (args.style | WS_CHILD) & ~WS_POPUP;
    if (visible_) args.style |= WS_VISIBLE;
    else args.style &= ~WS_VISIBLE;
    if (!enabled_) args.style |= WS_DISABLED;
}

void Control::createWnd() {
    tracking_ = false;  // the tracking ended with the old window
    CreateArgs args;
    args.text = text_;
    args.x = bounds_.left;
    args.y = bounds_.top;
    args.width = bounds_.right - bounds_.left;
    args.height = bounds_.bottom - bounds_.top;
    args.parent = parent_ ? parent_->hwnd() : nullptr;
    args.id = id_;
    createParams(args);
    createWindow(args);
    SendMessageA(hwnd(), WM_SETFONT, reinterpret_cast<WPARAM>(font()), FALSE);
}

void Control::destroyWnd() {
    if (!hwnd()) return;
    text_ = text();
    bounds_ = bounds();
    destroyWindow();
}

// Children go first so each keeps what only its window knows; they come back
// in their own order.
void Control::destroyTree() {
    for (Control* c : children_) c->destroyTree();
    destroyWnd();
}

void Control::createTree() {
    if (!hwnd()) createWnd();
    for (Control* c : children_) c->createTree();
    realign();
}

void Control::recreateWnd() {
    if (!hwnd()) return;
    destroyTree();
    createTree();
}

void Control::setBounds(int x, int y, int width, int height) {
    bounds_ = {x, y, x + width, y + height};
    if (hwnd()) MoveWindow(hwnd(), x, y, width, height, TRUE);
    if (parent_ && align_ != Align::None && !parent_->realigning_) parent_->realign();
}

RECT Control::bounds() const {
    if (!hwnd()) return bounds_;
    RECT r{};
    GetWindowRect(hwnd(), &r);
    if (HWND p = GetParent(hwnd()); p && (GetWindowLongA(hwnd(), GWL_STYLE) & WS_CHILD))
        MapWindowPoints(HWND_DESKTOP, p, reinterpret_cast<POINT*>(&r), 2);
    return r;
}

int Control::width() const {
    RECT r = bounds();
    return r.right - r.left;
}

int Control::height() const {
    RECT r = bounds();
    return r.bottom - r.top;
}

RECT Control::clientRect() const {
    RECT r{0, 0, width(), height()};
    if (hwnd()) GetClientRect(hwnd(), &r);
    return r;
}

void Control::setText(const std::string& text) {
    text_ = text;
    if (hwnd()) SetWindowTextA(hwnd(), text.c_str());
}

std::string Control::text() const {
    if (!hwnd()) return text_;
    int n = GetWindowTextLengthA(hwnd());
    std::string s(static_cast<size_t>(std::max(n, 0)) + 1, '\0');
    int got = GetWindowTextA(hwnd(), s.data(), static_cast<int>(s.size()));
    s.resize(static_cast<size_t>(std::max(got, 0)));
    return s;
}

void Control::setVisible(bool visible) {
    if (visible == visible_) return;
    visible_ = visible;
    if (hwnd()) ShowWindow(hwnd(), visible ? SW_SHOW : SW_HIDE);
    if (parent_) parent_->childVisibilityChanged(*this);
}

Control& Control::hintTargetAt(POINT& point) {
    for (Control* c : children_) {
        if (!c->hwnd() || c->enabled() || !IsWindowVisible(c->hwnd())) continue;
        const RECT b = c->bounds();
        if (!PtInRect(&b, point)) continue;
        MapWindowPoints(hwnd(), c->hwnd(), &point, 1);
        return *c;
    }
    return *this;
}

void Control::childVisibilityChanged(Control& child) {
    if (child.align_ != Align::None) realign();
}

void Control::setEnabled(bool enabled) {
    enabled_ = enabled;
    if (hwnd()) EnableWindow(hwnd(), enabled);
}

bool Control::enabled() const { return hwnd() ? IsWindowEnabled(hwnd()) != FALSE : enabled_; }

void Control::setFont(HFONT font) {
    font_ = font;
    if (hwnd()) SendMessageA(hwnd(), WM_SETFONT, reinterpret_cast<WPARAM>(this->font()), TRUE);
    for (Control* c : children_)
        if (!c->font_ && c->hwnd()) SendMessageA(c->hwnd(), WM_SETFONT, reinterpret_cast<WPARAM>(c->font()), TRUE);
}

HFONT Control::font() const {
    if (font_) return font_;
    if (parent_) return parent_->font();
    return static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
}

void Control::setColor(COLORREF colour) {
    color_ = colour;
    parentColor_ = false;
    colorChanged();
}

void Control::setParentColor(bool parentColor) {
    if (parentColor == parentColor_) return;
    parentColor_ = parentColor;
    if (parentColor) color_.reset();
    colorChanged();
}

std::optional<COLORREF> Control::definedColor() const {
    for (const Control* c = this; c; c = c->parent_)
        if (!c->parentColor_) return c->color_;
    return std::nullopt;
}

COLORREF Control::color() const { return definedColor().value_or(GetSysColor(COLOR_BTNFACE)); }

HBRUSH Control::colorBrush() const {
    const COLORREF c = color();
    if (!brush_ || brushColor_ != c) {
        if (brush_) DeleteObject(brush_);
        brush_ = CreateSolidBrush(c);
        brushColor_ = c;
    }
    return brush_;
}

void Control::paintParentBackground(HDC dc, const RECT& r) const {
    for (const Control* p = parent_; p; p = p->parent_)
        if (p->paintBackgroundBehind(*this, dc, r)) return;
    FillRect(dc, &r, colorBrush());
}

void Control::colorChanged() {
    if (hwnd()) InvalidateRect(hwnd(), nullptr, TRUE);
    for (Control* c : children_)
        if (c->parentColor_) c->colorChanged();
}

LRESULT Control::reflected(UINT msg, WPARAM wp, LPARAM lp, bool& handled) {
    std::optional<COLORREF> c;
    if (msg == WM_CTLCOLORSTATIC || msg == WM_CTLCOLORBTN)
        c = definedColor();
    else if (msg == WM_CTLCOLOREDIT || msg == WM_CTLCOLORLISTBOX)
        c = parentColor_ ? std::nullopt : color_;
    if (!c) return Wnd::reflected(msg, wp, lp, handled);
    handled = true;
    HDC dc = reinterpret_cast<HDC>(wp);
    SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
    SetBkColor(dc, *c);
    return reinterpret_cast<LRESULT>(colorBrush());
}

void Control::setAlign(Align align) {
    align_ = align;
    if (parent_) parent_->realign();
}

const std::string& Control::inheritedHint() const {
    const Control* c = this;
    while (c->hint.empty() && c->parent_) c = c->parent_;
    return c->hint;
}

bool Control::showsHint() const {
    for (const Control* c = this; c; c = c->parent_)
        if (c->showHint) return *c->showHint;
    return false;
}

void Control::setFocus() {
    if (hwnd()) SetFocus(hwnd());
}

bool Control::focused() const { return hwnd() && GetFocus() == hwnd(); }

void Control::realign() {
    if (!hwnd() || realigning_) return;
    realigning_ = true;
    RECT area = clientRect();
    auto place = [&](Align which) {
        for (Control* c : children_) {
            if (c->align_ != which || !c->visible_) continue;
            int w = c->width(), h = c->height();
            switch (which) {
            case Align::Top:
                c->setBounds(area.left, area.top, area.right - area.left, h);
                area.top += h;
                break;
            case Align::Bottom:
                c->setBounds(area.left, area.bottom - h, area.right - area.left, h);
                area.bottom -= h;
                break;
            case Align::Left:
                c->setBounds(area.left, area.top, w, area.bottom - area.top);
                area.left += w;
                break;
            case Align::Right:
                c->setBounds(area.right - w, area.top, w, area.bottom - area.top);
                area.right -= w;
                break;
            case Align::Client:
                c->setBounds(area.left, area.top, std::max(0L, area.right - area.left),
                             std::max(0L, area.bottom - area.top));
                break;
            case Align::None:
                break;
            }
        }
    };
    for (Align a : {Align::Top, Align::Bottom, Align::Left, Align::Right, Align::Client}) place(a);
    realigning_ = false;
}

static MouseButton buttonOf(UINT msg) {
    switch (msg) {
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP: return MouseButton::Right;
    case WM_MBUTTONDOWN:
    case WM_MBUTTONUP: return MouseButton::Middle;
    default: return MouseButton::Left;
    }
}

static UINT shiftOfMouse(WPARAM wp) {
    UINT s = 0;
    if (wp & MK_SHIFT) s |= kShift;
    if (wp & MK_CONTROL) s |= kCtrl;
    if (GetKeyState(VK_MENU) < 0) s |= kAlt;
    return s;
}

namespace {
void sendToChildren(HWND parent, UINT msg, WPARAM wp, LPARAM lp) {
    // Listed first: a child may make or destroy windows while it handles the message.
    std::vector<HWND> children;
    for (HWND c = GetWindow(parent, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) children.push_back(c);
    for (HWND c : children)
        if (IsWindow(c) && GetParent(c) == parent) SendMessageA(c, msg, wp, lp);
}
}  // namespace

LRESULT Control::wndProc(UINT msg, WPARAM wp, LPARAM lp) {
    int x = static_cast<short>(LOWORD(lp)), y = static_cast<short>(HIWORD(lp));
    switch (msg) {
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
        Application::instance().cancelHint();
        if (onMouseDown) onMouseDown(*this, buttonOf(msg), shiftOfMouse(wp), x, y);
        break;
    case WM_LBUTTONUP:
    case WM_RBUTTONUP:
    case WM_MBUTTONUP:
        if (onMouseUp) onMouseUp(*this, buttonOf(msg), shiftOfMouse(wp), x, y);
        break;
    case WM_LBUTTONDBLCLK:
        if (onDblClick) onDblClick(*this);
        break;
    case WM_ERASEBKGND:
        // System classes paint their own background through the colour messages.
        if (!subclassed())
            if (std::optional<COLORREF> c = definedColor()) {
                RECT r;
                GetClientRect(hwnd(), &r);
                FillRect(reinterpret_cast<HDC>(wp), &r, colorBrush());
                return 1;
            }
        break;
    case WM_SETFOCUS:
        if (onEnter) onEnter(*this);
        break;
    case WM_KILLFOCUS:
        if (onExit) onExit(*this);
        break;
    case WM_SETCURSOR:
        if (cursor_ && LOWORD(lp) == HTCLIENT && reinterpret_cast<HWND>(wp) == hwnd() &&
            !Application::instance().screenCursor()) {
            SetCursor(cursor_);
            return TRUE;
        }
        break;
    case WM_MOUSEMOVE: {
        // The one leave tracking of the control: the hints, the enter and leave
        // events and hot buttons all hear of the leave through it. Armed before
        // the hints see the move, so a leave it posts comes after their entry.
        const bool entered = !tracking_;
        if (entered) {
            TRACKMOUSEEVENT t{sizeof t, TME_LEAVE, hwnd(), 0};
            tracking_ = TrackMouseEvent(&t) != FALSE;
        }
        // A disabled child gets no mouse messages: its parent gives the hints its hint.
        POINT at{x, y};
        Control& hinted = hintTargetAt(at);
        Application::instance().hints().mouseMove(hinted, at);
        if (entered && onMouseEnter) onMouseEnter(*this);
        if (onMouseMove) onMouseMove(*this, shiftOfMouse(wp), x, y);
        break;
    }
    case WM_MOUSELEAVE:
        Application::instance().hints().mouseLeave(*this);
        tracking_ = false;
        if (onMouseLeave) onMouseLeave(*this);
        break;
    case WM_CAPTURECHANGED:
        if (onCaptureLost && reinterpret_cast<HWND>(lp) != hwnd()) onCaptureLost(*this);
        break;
    case WM_CANCELMODE:
        // A modal window coming up cancels a child's mode too (a drag holding
        // the mouse), not only this window's own capture.
        if (HWND holder = GetCapture(); holder && IsChild(hwnd(), holder)) {
            SendMessageA(holder, WM_CANCELMODE, 0, 0);
            if (GetCapture() == holder) ReleaseCapture();
        }
        break;
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
        if (onKeyDown) {
            WORD key = static_cast<WORD>(wp);
            onKeyDown(*this, key, currentShiftState());
            if (key == 0) return 0;
            wp = key;
        }
        break;
    case WM_KEYUP:
    case WM_SYSKEYUP:
        if (onKeyUp) {
            WORD key = static_cast<WORD>(wp);
            onKeyUp(*this, key, currentShiftState());
            if (key == 0) return 0;
            wp = key;
        }
        break;
    case WM_CHAR:
        if (onKeyPress) {
            char c = static_cast<char>(wp);
            onKeyPress(*this, c);
            if (c == 0) return 0;
            wp = static_cast<unsigned char>(c);
        }
        break;
    case WM_CONTEXTMENU:
        // Some controls (Wine's tree view) ask their parent for the menu of a
        // right click: it is the child's menu that opens.
        if (auto* from = reinterpret_cast<HWND>(wp); from && from != hwnd() && IsChild(hwnd(), from))
            if (auto* child = dynamic_cast<Control*>(Wnd::fromHandle(from));
                child && child->popupMenu && child->popupMenu->AutoPopup)
                return child->wndProc(msg, wp, lp);
        if (popupMenu && popupMenu->AutoPopup) {
            POINT at{x, y};
            if (lp == -1) {  // the keyboard's request: at the control's corner
                at = {0, 0};
                ClientToScreen(hwnd(), &at);
            }
            // The form owns the menu while it shows, so it gets the drawing messages.
            popupMenu->Popup(GetAncestor(hwnd(), GA_ROOT), at.x, at.y);
            return 0;
        }
        break;
    case WM_SYSCOLORCHANGE:
        // The system tells top-level windows only. Each of our windows passes
        // it on, so the controls inside (docks, lists, trees) follow a colour
        // change too; a system control looks after its own children.
        if (!subclassed()) sendToChildren(hwnd(), msg, wp, lp);
        break;
    case WM_SIZE: {
        LRESULT r = Wnd::wndProc(msg, wp, lp);
        realign();
        if (onResize) onResize(*this);
        return r;
    }
    }
    return Wnd::wndProc(msg, wp, lp);
}

}  // namespace kv::ui
