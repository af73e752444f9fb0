#include "controls/small/MinMaxWin32.h"

namespace kv::ui {

namespace {
DockPoint toPoint(const TMinMaxPoint& p) { return {p.X, p.Y}; }
DockPoint toPoint(const POINT& p) { return {p.x, p.y}; }
POINT toPOINT(const DockPoint& p) { return {p.x, p.y}; }
}  // namespace

TMinMax::TMinMax(Form& form) : form_(&form) {
    setOwner(&form);
    attach();
}

TMinMax::~TMinMax() {
    beginDestroy();
    detach();
}

void TMinMax::attach() {
    listener_ = form_->addMessageListener([this](Form& f, UINT msg, WPARAM& wp, LPARAM& lp, LRESULT& result) {
        return onMessage(f, msg, wp, lp, result);
    });
    updateSystemMenu();
}

void TMinMax::detach() {
    listener_.reset();
    // The system menu goes back to the system's own.
    if (form_ && form_->hwnd()) GetSystemMenu(form_->hwnd(), TRUE);
}

void TMinMax::SetForm(Form& form) {
    detach();
    form_ = &form;
    attach();
}

void TMinMax::SetOptions(unsigned options) {
    options_ = options;
    updateSystemMenu();
}

void TMinMax::updateSystemMenu() {
    if (!form_->hwnd()) return;
    if (options_ & opAllowResize) {
        GetSystemMenu(form_->hwnd(), TRUE);
        return;
    }
    if (HMENU menu = GetSystemMenu(form_->hwnd(), FALSE)) EnableMenuItem(menu, SC_SIZE, MF_BYCOMMAND | MF_GRAYED);
}

bool TMinMax::onMessage(Form& f, UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) {
    if (!(options_ & opAllowResize)) {
        // The form's window may come after the guard, or be made again: it
        // gets the greyed Size item too.
        if (msg == WM_CREATE) {
            updateSystemMenu();
            return false;
        }
        // The system sets the Size item's state again as the system menu opens.
        if (msg == WM_INITMENUPOPUP && HIWORD(lp))
            EnableMenuItem(reinterpret_cast<HMENU>(wp), SC_SIZE, MF_BYCOMMAND | MF_GRAYED);
        // Where the system shows it enabled all the same (Wine sets it after
        // that message), choosing it does nothing.
        if (msg == WM_SYSCOMMAND && (wp & 0xFFF0) == SC_SIZE) {
            result = 0;
            return true;
        }
    }
    if (msg == WM_GETMINMAXINFO) {
        auto* info = reinterpret_cast<MINMAXINFO*>(lp);
        const MinMaxFields proposed{toPoint(info->ptMaxSize), toPoint(info->ptMaxPosition),
                                    toPoint(info->ptMinTrackSize), toPoint(info->ptMaxTrackSize)};
        const MinMaxFields wanted{toPoint(MaxSize), toPoint(MaxPosition), toPoint(MinTrackSize), toPoint(MaxTrackSize)};
        RECT w{};
        GetWindowRect(f.hwnd(), &w);
        const MinMaxFields out = ApplyMinMax(proposed, wanted, options_, {w.right - w.left, w.bottom - w.top});
        info->ptMaxSize = toPOINT(out.maxSize);
        info->ptMaxPosition = toPOINT(out.maxPosition);
        info->ptMinTrackSize = toPOINT(out.minTrackSize);
        info->ptMaxTrackSize = toPOINT(out.maxTrackSize);
        result = 0;
        return true;
    }
    if (msg == WM_NCHITTEST && !(options_ & opAllowResize)) {
        result = DefWindowProcA(f.hwnd(), msg, wp, lp);
        switch (result) {
        case HTLEFT: case HTRIGHT: case HTTOP: case HTBOTTOM:
        case HTTOPLEFT: case HTTOPRIGHT: case HTBOTTOMLEFT: case HTBOTTOMRIGHT:
            result = HTNOWHERE;
            break;
        default:
            break;
        }
        return true;
    }
    return false;
}

}  // namespace kv::ui
