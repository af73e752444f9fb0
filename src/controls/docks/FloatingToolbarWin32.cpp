#include "controls/docks/FloatingToolbarWin32.h"

#include <windowsx.h>

#include "controls/docks/DockToolbarWin32.h"
#include "controls/docks/ToolbarLayout.h"
#include "ui/DragLoop.h"

namespace kv::ui {

namespace {
const char* const kFloatClass = "KvFloatingToolbar";

DockRect toDock(const RECT& r) { return {r.left, r.top, r.right, r.bottom}; }
}  // namespace

FloatFrameMetrics floatingFrameMetrics() {
    return {GetSystemMetrics(SM_CXFRAME), GetSystemMetrics(SM_CYSMCAPTION)};
}

DockRect growByFloatingFrame(const DockRect& c) {
    const FloatFrameMetrics m = floatingFrameMetrics();
    return {c.left - m.frame, c.top - m.frame - m.captionHeight, c.right + m.frame, c.bottom + m.frame};
}

DockRect shrinkByFloatingFrame(const DockRect& w) {
    const FloatFrameMetrics m = floatingFrameMetrics();
    return {w.left + m.frame, w.top + m.frame + m.captionHeight, w.right - m.frame, w.bottom - m.frame};
}

void paintFloatingCaption(Canvas& canvas, HWND window, const RECT& box, const std::string& caption) {
    if (canvas.drawCaption(window, box, DC_ACTIVE | DC_SMALLCAP | DC_TEXT)) return;
    canvas.setBrushColor(GetSysColor(COLOR_ACTIVECAPTION));
    canvas.fillRect(box);
    GdiObject<HFONT> font(CreateFontA(-11, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                                      CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE,
                                      "MS Sans Serif"));
    if (font.get()) canvas.setFont(font.get());
    canvas.setTextColor(GetSysColor(COLOR_CAPTIONTEXT));
    SetBkMode(canvas.handle(), TRANSPARENT);
    RECT r = box;
    r.left += 2;
    const std::string text =
        TruncateCaption(caption, r.right - r.left, [&](const std::string& s) { return canvas.textWidth(s); });
    canvas.drawText(text, r, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
    // The font goes before the canvas puts the old one back.
    canvas.setFont(static_cast<HFONT>(GetStockObject(SYSTEM_FONT)));
}

FloatingToolbarWindow::FloatingToolbarWindow(TDockToolbar& toolbar) : toolbar_(toolbar) {
    style_ = WS_POPUP | WS_CLIPCHILDREN;
    exStyle_ = WS_EX_TOOLWINDOW;
    setVisible(false);
}

void FloatingToolbarWindow::createHandle() {
    if (!hwnd()) createWnd();
}

void FloatingToolbarWindow::createWnd() {
    Wnd::registerClass(kFloatClass);
    const RECT b = bounds();
    CreateArgs args;
    args.className = kFloatClass;
    args.text = toolbar_.Caption;
    args.style = style_;
    args.exStyle = exStyle_;
    args.x = b.left;
    args.y = b.top;
    args.width = b.right - b.left;
    args.height = b.bottom - b.top;
    // A pop-up with a parent window is owned by it: it stays with the form.
    args.parent = toolbar_.form().hwnd();
    createWindow(args);
}

void FloatingToolbarWindow::showShown(bool shown) {
    if (!hwnd()) return;
    const bool now = IsWindowVisible(hwnd()) != FALSE;
    if (shown == now) return;
    ShowWindow(hwnd(), shown ? SW_SHOWNOACTIVATE : SW_HIDE);
}

void FloatingToolbarWindow::paintFrame() {
    HDC dc = GetWindowDC(hwnd());
    RECT w;
    GetWindowRect(hwnd(), &w);
    OffsetRect(&w, -w.left, -w.top);
    const FloatFrameMetrics m = floatingFrameMetrics();
    {
        Canvas canvas(dc);
        canvas.setBrushColor(GetSysColor(COLOR_BTNFACE));
        canvas.fillRect(w);
        canvas.drawEdge(w, EDGE_RAISED, BF_RECT);
        // The system draws the caption from the window's text; set only when
        // the toolbar's caption changed, not on every paint.
        if (text() != toolbar_.Caption) setText(toolbar_.Caption);
        paintFloatingCaption(canvas, hwnd(), {m.frame, m.frame, w.right - m.frame, m.frame + m.captionHeight},
                             toolbar_.Caption);
        if (toolbar_.CloseButton()) {
            const DockRect c = FloatCloseButtonRect(toDock(w), m);
            canvas.drawFrameControl({c.left, c.top, c.right, c.bottom}, DFC_CAPTION,
                                    DFCS_CAPTIONCLOSE | (closePressed_ ? DFCS_PUSHED : 0));
        }
    }
    ReleaseDC(hwnd(), dc);
}

void FloatingToolbarWindow::trackClose() {
    RECT w;
    GetWindowRect(hwnd(), &w);
    const DockRect box = FloatCloseButtonRect(toDock(w), floatingFrameMetrics());
    bool closed = false;
    // The button shows pressed while the mouse is over it.
    auto press = [&](bool pressed) {
        if (pressed == closePressed_) return;
        closePressed_ = pressed;
        paintFrame();
    };
    press(true);
    const HWND self = hwnd();
    const bool released = RunDragLoop(self, [&](const MSG& msg) {
        const POINT p = dragMessagePoint(msg);
        if (msg.message == WM_LBUTTONUP) {
            closed = box.contains({p.x, p.y});
            return DragStep::Finish;
        }
        if (msg.message != WM_MOUSEMOVE) return DragStep::Dispatch;
        press(box.contains({p.x, p.y}));
        return DragStep::Swallow;
    });
    if (!IsWindow(self)) return;
    press(false);
    if (released && closed) toolbar_.closeFromFrame();
}

void FloatingToolbarWindow::trackResize(int hit, POINT start) {
    std::vector<ToolbarItem> items = toolbar_.layoutItems(toolbar_.controlOrder(), ToolbarOrientation::Floating);
    const std::vector<DockSize> sizes = CandidateSizes(items);
    if (sizes.empty()) return;
    RECT w0;
    GetWindowRect(hwnd(), &w0);
    const DockRect c0 = shrinkByFloatingFrame(toDock(w0));
    // Each move applies at once: a release or a key ends the resize where it is.
    RunDragLoop(hwnd(), [&](const MSG& msg) {
        if (msg.message == WM_LBUTTONUP || msg.message == WM_KEYDOWN) return DragStep::Finish;
        if (msg.message != WM_MOUSEMOVE) return DragStep::Dispatch;
        const POINT p = dragMessagePoint(msg);
        DockSize s;
        if (hit == HTLEFT)
            s = PickCandidateByWidth(sizes, c0.width() - (p.x - start.x));
        else if (hit == HTRIGHT)
            s = PickCandidateByWidth(sizes, c0.width() + (p.x - start.x));
        else if (hit == HTTOP)
            s = PickCandidateByHeight(sizes, c0.height() - (p.y - start.y));
        else
            s = PickCandidateByHeight(sizes, c0.height() + (p.y - start.y));
        if (toolbar_.FloatRightX != s.width) {
            toolbar_.FloatRightX = s.width;
            toolbar_.layoutControls();
        }
        DockRect c = c0;
        if (hit == HTLEFT) c.left = c.right - s.width; else c.right = c.left + s.width;
        if (hit == HTTOP) c.top = c.bottom - s.height; else c.bottom = c.top + s.height;
        toolbar_.setFloatRect(c);
        return DragStep::Swallow;
    });
}

void FloatingToolbarWindow::childVisibilityChanged(Control& child) {
    Control::childVisibilityChanged(child);
    // Hiding the toolbar takes its frame and caption along.
    toolbar_.syncFloatingVisibility();
}

LRESULT FloatingToolbarWindow::wndProc(UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
    case WM_NCCALCSIZE: {
        auto* r = reinterpret_cast<RECT*>(lp);
        const DockRect c = shrinkByFloatingFrame(toDock(*r));
        *r = {c.left, c.top, std::max(c.left, c.right), std::max(c.top, c.bottom)};
        return 0;
    }
    case WM_NCPAINT:
        paintFrame();
        return 0;
    case WM_NCACTIVATE:
        paintFrame();
        return TRUE;
    case WM_NCHITTEST: {
        RECT w;
        GetWindowRect(hwnd(), &w);
        switch (FloatHitTest(toDock(w), {GET_X_LPARAM(lp), GET_Y_LPARAM(lp)}, floatingFrameMetrics(),
                             toolbar_.CloseButton())) {
        case FloatHit::Client: return HTCLIENT;
        case FloatHit::Close: return HTCLOSE;
        case FloatHit::Left: return HTLEFT;
        case FloatHit::Right: return HTRIGHT;
        case FloatHit::Top: return HTTOP;
        case FloatHit::Bottom: return HTBOTTOM;
        case FloatHit::Nowhere: return HTNOWHERE;
        }
        return HTNOWHERE;
    }
    case WM_NCLBUTTONDOWN:
        if (wp == HTCLOSE) {
            trackClose();
            return 0;
        }
        if (wp == HTLEFT || wp == HTRIGHT || wp == HTTOP || wp == HTBOTTOM) {
            trackResize(static_cast<int>(wp), {GET_X_LPARAM(lp), GET_Y_LPARAM(lp)});
            return 0;
        }
        return 0;
    case WM_MOUSEACTIVATE:
        // Never takes the activation: the form it belongs to gets it.
        activateForClick(toolbar_.form());
        return MA_NOACTIVATE;
    case WM_LBUTTONDOWN: {
        // The caption counts as client: a press on it drags the toolbar.
        POINT p{GET_X_LPARAM(lp), GET_Y_LPARAM(lp)};
        MapWindowPoints(hwnd(), toolbar_.hwnd(), &p, 1);
        toolbar_.beginDrag(p, (GetKeyState(VK_CONTROL) & 0x8000) != 0);
        return 0;
    }
    case WM_LBUTTONDBLCLK:
        if (toolbar_.DefaultDock()) toolbar_.SetDockedTo(toolbar_.DefaultDock());
        return 0;
    case WM_CLOSE:
        toolbar_.closeFromFrame();
        return 0;
    default:
        return Control::wndProc(msg, wp, lp);
    }
}

}  // namespace kv::ui
