#include "ui/Form.h"

#include <commctrl.h>
#include <shellapi.h>

#include <algorithm>

#include "base/Errors.h"
#include "ui/Application.h"
#include "ui/SystemFonts.h"
#include "ui/WindowDisabler.h"

namespace kv::ui {

ListenerRegistration& ListenerRegistration::operator=(ListenerRegistration&& o) noexcept {
    if (this != &o) entry_ = std::move(o.entry_);
    return *this;
}

void ListenerRegistration::reset() { entry_.reset(); }

Form::Form() {
    setVisible(false);
    style_ = 0;
}

Form::~Form() {
    destroyWindow();
    if (Application::instance().mainForm() == this) Application::instance().setMainForm(nullptr);
}

void Form::createParams(CreateArgs& args) {
    Control::createParams(args);
    args.className = className_;
    Wnd::registerClass(className_);
    DWORD style = WS_CLIPCHILDREN, ex = WS_EX_CONTROLPARENT;
    switch (borderStyle_) {
    case BorderStyle::None: style |= WS_POPUP; break;
    case BorderStyle::Single: style |= WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX; break;
    case BorderStyle::Sizeable: style |= WS_OVERLAPPEDWINDOW; break;
    case BorderStyle::Dialog:
        style |= WS_POPUP | WS_CAPTION | WS_SYSMENU;
        ex |= WS_EX_DLGMODALFRAME;
        break;
    case BorderStyle::ToolWindow:
        style |= WS_POPUP | WS_CAPTION | WS_SYSMENU;
        ex |= WS_EX_TOOLWINDOW;
        break;
    case BorderStyle::SizeToolWin:
        style |= WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME;
        ex |= WS_EX_TOOLWINDOW;
        break;
    }
    if (!(borderIcons_ & biSystemMenu)) style &= ~WS_SYSMENU;
    if (!(borderIcons_ & biMinimize)) style &= ~WS_MINIMIZEBOX;
    if (!(borderIcons_ & biMaximize)) style &= ~WS_MAXIMIZEBOX;
    if ((borderIcons_ & biHelp) && (style & WS_SYSMENU) && !(style & (WS_MINIMIZEBOX | WS_MAXIMIZEBOX)))
        ex |= WS_EX_CONTEXTHELP;
    if (stayOnTop_) ex |= WS_EX_TOPMOST;
    if (acceptFiles_) ex |= WS_EX_ACCEPTFILES;
    args.style = style | (args.style & WS_DISABLED);
    args.exStyle |= ex;
    // Every other form belongs to the main form, so it stays above it.
    if (Form* main = Application::instance().mainForm(); main && main != this) args.parent = main->hwnd();
}

void Form::createHandle() {
    if (!hwnd()) create(nullptr);
    if (HICON icon = icon_ ? icon_ : Application::instance().icon) {
        SendMessageA(hwnd(), WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon));
        SendMessageA(hwnd(), WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icon));
    }
}

void Form::setStayOnTop(bool onTop) {
    stayOnTop_ = onTop;
    if (hwnd())
        SetWindowPos(hwnd(), onTop ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0,
                     SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void Form::setIcon(HICON icon) {
    icon_ = icon;
    if (hwnd()) createHandle();
}

void Form::setBorderIcons(unsigned icons) {
    if (icons == borderIcons_) return;
    borderIcons_ = icons;
    recreateWnd();
}

bool Form::showsHelpButton() const { return hwnd() && (GetWindowLongA(hwnd(), GWL_EXSTYLE) & WS_EX_CONTEXTHELP); }

void Form::setAcceptFiles(bool accept) {
    acceptFiles_ = accept;
    if (hwnd()) DragAcceptFiles(hwnd(), accept);
}

void Form::setClientSize(int width, int height) {
    CreateArgs args;
    createParams(args);
    DWORD style = hwnd() ? static_cast<DWORD>(GetWindowLongA(hwnd(), GWL_STYLE)) : args.style;
    DWORD ex = hwnd() ? static_cast<DWORD>(GetWindowLongA(hwnd(), GWL_EXSTYLE)) : args.exStyle;
    RECT r{0, 0, width, height};
    AdjustWindowRectEx(&r, style, hwnd() ? GetMenu(hwnd()) != nullptr : FALSE, ex);
    RECT b = bounds();
    setBounds(b.left, b.top, r.right - r.left, r.bottom - r.top);
}

void Form::placeByPosition() {
    if (position_ == FormPosition::Designed) return;
    RECT area = Application::workArea();
    RECT over = area;
    Form* main = Application::instance().mainForm();
    if (position_ == FormPosition::MainFormCenter && main && main != this && main->hwnd() &&
        IsWindowVisible(main->hwnd()))
        GetWindowRect(main->hwnd(), &over);
    const int w = width(), h = height();
    int x = over.left + (over.right - over.left - w) / 2;
    int y = over.top + (over.bottom - over.top - h) / 2;
    // A form larger than the area keeps its top-left corner on it.
    x = std::max<int>(area.left, std::min<int>(x, area.right - w));
    y = std::max<int>(area.top, std::min<int>(y, area.bottom - h));
    setBounds(x, y, w, h);
}

void Form::show() {
    createHandle();
    if (!placed_) placeByPosition();
    placed_ = true;
    setVisible(true);
    if (state_ != WindowState::Normal) setWindowState(state_);
}

void Form::setWindowState(WindowState state) {
    state_ = state;
    if (!hwnd() || !IsWindowVisible(hwnd())) return;
    ShowWindow(hwnd(), state == WindowState::Maximized   ? SW_MAXIMIZE
                       : state == WindowState::Minimized ? SW_MINIMIZE
                                                         : SW_RESTORE);
}

WindowState Form::windowState() const {
    if (!hwnd()) return state_;
    if (IsZoomed(hwnd())) return WindowState::Maximized;
    if (IsIconic(hwnd())) return WindowState::Minimized;
    return WindowState::Normal;
}

void Form::hide() { setVisible(false); }

bool Form::closeQuery() {
    bool canClose = true;
    if (onCloseQuery) onCloseQuery(*this, canClose);
    return canClose;
}

void Form::close() {
    if (modal_) {
        if (modalResult_ == mrNone) modalResult_ = mrCancel;
        return;
    }
    if (!closeQuery()) return;
    CloseAction action = Application::instance().mainForm() == this ? CloseAction::Free : CloseAction::Hide;
    if (onClose) onClose(*this, action);
    if (action == CloseAction::Hide) hide();
    else if (action == CloseAction::Free) destroyWindow();
}

int Form::showModal() {
    if (modal_ || (hwnd() && IsWindowVisible(hwnd()))) throw Error("Cannot make a visible window modal");
    createHandle();
    if (GetCapture()) ReleaseCapture();
    HWND previous = GetActiveWindow();
    modal_ = true;
    modalResult_ = mrNone;
    CloseAction action = CloseAction::Hide;
    {
        WindowDisabler disabler(hwnd());
        try {
            show();
            Application::instance().runModalLoop([&] {
                if (!hwnd()) {
                    if (modalResult_ == mrNone) modalResult_ = mrCancel;
                    return true;
                }
                if (modalResult_ == mrNone) return false;
                action = CloseAction::Hide;
                if (closeQuery()) {
                    if (onClose) onClose(*this, action);
                    if (action != CloseAction::None) return true;
                }
                modalResult_ = mrNone;
                return false;
            });
        } catch (...) {
            modal_ = false;
            throw;
        }
        // Ended by WM_QUIT: the caller sees a cancel.
        if (modalResult_ == mrNone) modalResult_ = mrCancel;
        // Re-enabled before hiding, so the activation can go back to them.
        disabler.restore();
    }
    modal_ = false;
    if (hwnd()) {
        hide();
        if (action == CloseAction::Free) destroyWindow();
    }
    if (previous && IsWindow(previous)) SetActiveWindow(previous);
    return modalResult_;
}

ListenerRegistration Form::addMessageListener(MessageListener listener) {
    auto entry = std::make_shared<MessageListener>(std::move(listener));
    listeners_.push_back(entry);
    return ListenerRegistration(entry);
}

Control* Form::activeControl() const {
    HWND f = GetFocus();
    if (f && hwnd() && IsChild(hwnd(), f)) return dynamic_cast<Control*>(Wnd::fromHandle(f));
    return nullptr;
}

void Form::setActiveControl(Control* c) {
    if (c && c->hwnd()) {
        lastFocus_ = c->hwnd();
        if (hwnd() && GetActiveWindow() == hwnd()) SetFocus(c->hwnd());
    }
}

static bool wantsReturn(HWND focus) {
    if (!focus) return false;
    LRESULT code = SendMessageA(focus, WM_GETDLGCODE, VK_RETURN, 0);
    return (code & DLGC_WANTALLKEYS) != 0 || (GetWindowLongA(focus, GWL_STYLE) & ES_WANTRETURN) != 0;
}

static bool activatesOnReturn(HWND focus) {
    char name[32] = {};
    if (!focus || !GetClassNameA(focus, name, sizeof name)) return false;
    return lstrcmpiA(name, WC_LISTVIEWA) == 0 || lstrcmpiA(name, WC_TREEVIEWA) == 0;
}

static bool routeMnemonic(Control& parent, char key) {
    for (Control* c : parent.children()) {
        if (!c->hwnd() || !IsWindowVisible(c->hwnd())) continue;
        if (c->mnemonic(key) || routeMnemonic(*c, key)) return true;
    }
    return false;
}

bool Form::preTranslateMessage(MSG& msg) {
    if (msg.message == WM_SYSCHAR && routeMnemonic(*this, static_cast<char>(msg.wParam))) return true;
    if (keyPreview && Control::onKeyUp && (msg.message == WM_KEYUP || msg.message == WM_SYSKEYUP)) {
        WORD key = static_cast<WORD>(msg.wParam);
        Control::onKeyUp(*this, key, currentShiftState());
        if (key == 0) return true;
        msg.wParam = key;
    }
    if (msg.message == WM_KEYDOWN || msg.message == WM_SYSKEYDOWN) {
        UINT shift = currentShiftState();
        WORD key = static_cast<WORD>(msg.wParam);
        if (keyPreview) {
            if (Control::onKeyDown) Control::onKeyDown(*this, key, shift);
            if (key == 0) return true;
            msg.wParam = key;
        }
        if (onShortcut && onShortcut(*this, key, shift)) return true;
        // Tool windows hand the main menu's shortcuts on to the main window.
        if (Form* main = Application::instance().mainForm();
            main && main != this && main->onShortcut && main->hwnd() && IsWindowEnabled(main->hwnd()) &&
            main->onShortcut(*main, key, shift))
            return true;
        if (msg.message == WM_KEYDOWN && shift == 0) {
            auto usable = [](Control* c) { return c && c->hwnd() && IsWindowVisible(c->hwnd()) && IsWindowEnabled(c->hwnd()); };
            if (key == VK_ESCAPE && usable(cancelControl_)) {
                cancelControl_->click();
                return true;
            }
            if (key == VK_RETURN && usable(defaultControl_) && !wantsReturn(msg.hwnd)) {
                defaultControl_->click();
                return true;
            }
            // Without a default button Enter belongs to a list or tree: the
            // dialog handling would turn it into an OK command nobody reads.
            if (key == VK_RETURN && !usable(defaultControl_) && activatesOnReturn(msg.hwnd)) return false;
        }
    }
    return hwnd() && msg.message != WM_CHAR && IsDialogMessageA(hwnd(), &msg);
}

bool Form::notifyListeners(UINT msg, WPARAM& wp, LPARAM& lp, LRESULT& result) {
    if (listeners_.empty()) return false;
    // Handlers may register or unregister while we walk.
    std::vector<std::shared_ptr<MessageListener>> live;
    for (auto it = listeners_.begin(); it != listeners_.end();) {
        if (auto sp = it->lock()) {
            live.push_back(std::move(sp));
            ++it;
        } else {
            it = listeners_.erase(it);
        }
    }
    for (auto& l : live) {
        result = 0;
        if ((*l)(*this, msg, wp, lp, result)) return true;
    }
    return false;
}

LRESULT Form::wndProc(UINT msg, WPARAM wp, LPARAM lp) {
    LRESULT result = 0;
    if (notifyListeners(msg, wp, lp, result)) return result;
    return formMessage(msg, wp, lp);
}

LRESULT Form::formMessage(UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
    case WM_CLOSE:
        close();
        return 0;
    case WM_SHOWWINDOW:
        if (wp && onShow) onShow(*this);
        if (!wp && onHide) onHide(*this);
        break;
    case WM_ACTIVATE:
        if (LOWORD(wp) == WA_INACTIVE) {
            HWND f = GetFocus();
            if (f && IsChild(hwnd(), f)) lastFocus_ = f;
        }
        if (onActivate) onActivate(*this, LOWORD(wp) != WA_INACTIVE);
        if (LOWORD(wp) != WA_INACTIVE && !HIWORD(wp) && lastFocus_ && IsWindow(lastFocus_) &&
            IsChild(hwnd(), lastFocus_) && IsWindowEnabled(lastFocus_)) {
            SetFocus(lastFocus_);
            return 0;
        }
        break;
    case WM_DESTROY:
        if (onDestroy) onDestroy(*this);
        if (Application::instance().mainForm() == this) PostQuitMessage(0);
        break;
    case WM_SETTINGCHANGE:
        if (wp == SPI_SETNONCLIENTMETRICS && Application::instance().mainForm() == this) SystemFonts::instance().refresh();
        break;
    case WM_ACTIVATEAPP:
        if (!wp) Application::instance().cancelHint();
        break;
    case WM_HELP: {
        auto* info = reinterpret_cast<HELPINFO*>(lp);
        if (info->iContextType != HELPINFO_WINDOW) break;
        unsigned long context = 0;
        for (HWND h = static_cast<HWND>(info->hItemHandle); h && !context; h = GetParent(h)) {
            if (auto* c = dynamic_cast<Control*>(Wnd::fromHandle(h))) context = c->helpContext;
            if (h == hwnd()) break;
        }
        if (context) Application::instance().helpContext(hwnd(), context, showsHelpButton());
        return TRUE;
    }
    case WM_DROPFILES: {
        auto drop = reinterpret_cast<HDROP>(wp);
        std::vector<std::string> files;
        UINT n = DragQueryFileA(drop, 0xFFFFFFFF, nullptr, 0);
        for (UINT i = 0; i < n; ++i) {
            UINT len = DragQueryFileA(drop, i, nullptr, 0);
            std::string name(len + 1, '\0');
            DragQueryFileA(drop, i, name.data(), len + 1);
            name.resize(len);
            files.push_back(std::move(name));
        }
        DragFinish(drop);
        if (onDropFiles) onDropFiles(*this, files);
        return 0;
    }
    }
    return Control::wndProc(msg, wp, lp);
}

void activateForClick(Form& form) {
    HWND f = form.hwnd();
    if (!f || !IsWindowVisible(f) || !IsWindowEnabled(f) || GetActiveWindow() == f) return;
    SetForegroundWindow(f);
    if (GetActiveWindow() != f) SetActiveWindow(f);
}

}  // namespace kv::ui
