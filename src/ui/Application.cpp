#include "ui/Application.h"

#include "base/Errors.h"
#include "ui/Form.h"
#include "ui/HintManager.h"
#include "ui/MainThreadCalls.h"
#include "ui/MessageBoxPrompt.h"

namespace kv::ui {

namespace {

struct DepthScope {
    int& depth;
    explicit DepthScope(int& d) : depth(d) { ++depth; }
    ~DepthScope() { --depth; }
    DepthScope(const DepthScope&) = delete;
    DepthScope& operator=(const DepthScope&) = delete;
};

}  // namespace

Application::Application() = default;
Application::~Application() = default;

Application& Application::instance() {
    static Application app;
    return app;
}

QueuedSync& Application::mainThreadSync() {
    if (!calls_) calls_ = std::make_unique<MainThreadCalls>();
    return calls_->sync();
}

UserPrompt& Application::prompt() {
    static MessageBoxPrompt boxes;
    return prompt_ ? *prompt_ : boxes;
}

void Application::handleCurrentException() {
    static bool reporting = false;
    if (reporting) return;  // a failure while reporting one must not recurse
    reporting = true;
    try {
        try {
            throw;
        } catch (const EAbort&) {
        } catch (const std::exception& e) {
            prompt().showError(e.what());
        } catch (...) {
            prompt().showError("Unknown error");
        }
    } catch (...) {
    }
    reporting = false;
}

void Application::setScreenCursor(HCURSOR cursor) {
    screenCursor_ = cursor;
    SetCursor(cursor ? cursor : LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW)));
}

RECT Application::workArea() {
    RECT r{};
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &r, 0);
    return r;
}

void Application::setHint(const std::string& hint) {
    if (hint == hint_) return;
    hint_ = hint;
    if (onHint) onHint(*this);
}

HintManager& Application::hints() {
    if (!hints_) hints_ = std::make_unique<HintManager>(*this);
    return *hints_;
}

void Application::setShowHint(bool show) {
    showHint_ = show;
    if (!show && hints_) {
        hints_->reset();
        hints_->dropWindow();
    }
}

HintWindowClass Application::hintWindowClass() const { return hints_ ? hints_->windowClass() : &defaultHintWindow; }

void Application::setHintWindowClass(HintWindowClass cls) { hints().setWindowClass(cls); }

void Application::cancelHint() {
    if (hints_) hints_->cancel();
}

bool Application::helpContext(HWND owner, unsigned long context, bool popup) {
    if (helpFile.empty()) return false;
    UINT command = popup ? HELP_CONTEXTPOPUP : HELP_CONTEXT;
    if (helpHandler) return helpHandler(owner, helpFile, command, context);
    return WinHelpA(owner, helpFile.c_str(), command, context) != FALSE;
}

bool Application::helpQuit(HWND owner) {
    if (helpFile.empty()) return false;
    if (helpHandler) return helpHandler(owner, helpFile, HELP_QUIT, 0);
    return WinHelpA(owner, helpFile.c_str(), HELP_QUIT, 0) != FALSE;
}

void Application::dispatch(MSG& msg) {
    if (handlerDepth_ == 0)
        outermost_ = msg.hwnd;
    const DepthScope depth(handlerDepth_);
    if (msg.message == WM_KEYDOWN || msg.message == WM_SYSKEYDOWN || msg.message == WM_MOUSEWHEEL) cancelHint();
    if (msg.message >= WM_KEYFIRST && msg.message <= WM_KEYLAST) {
        HWND root = GetAncestor(msg.hwnd, GA_ROOT);
        if (auto* form = dynamic_cast<Form*>(Wnd::fromHandle(root))) {
            bool handled = false;
            try {
                handled = form->preTranslateMessage(msg);
            } catch (...) {
                handleCurrentException();
                handled = true;
            }
            if (handled) return;
        }
    }
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
}

bool Application::atSafePoint(HWND window) const {
    return modalDepth_ == 0 && holds_ == 0 && handlerDepth_ == 1 && outermost_ == window && window;
}

bool Application::runIdle() {
    bool done = true;
    if (onIdle) {
        if (handlerDepth_ == 0)
            outermost_ = nullptr;
        const DepthScope depth(handlerDepth_);
        try {
            onIdle(*this, done);
        } catch (...) {
            handleCurrentException();
        }
    }
    return done;
}

bool Application::handleMessage(MSG& msg, const std::function<bool()>* stop) {
    if (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) {
            terminated_ = true;
            return false;
        }
        dispatch(msg);
        return true;
    }
    // Idle work may end the loop itself; waiting then would block for nothing.
    if (runIdle() && !(stop && (*stop)())) WaitMessage();
    return true;
}

int Application::run() {
    terminated_ = false;
    MSG msg{};
    while (handleMessage(msg, nullptr)) {
    }
    return static_cast<int>(msg.wParam);
}

void Application::processMessages() {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) {
            terminated_ = true;
            PostQuitMessage(static_cast<int>(msg.wParam));
            return;
        }
        dispatch(msg);
    }
}

void Application::runModalLoop(const std::function<bool()>& done) {
    ++modalDepth_;
    struct Depth {
        int& d;
        ~Depth() { --d; }
    } depth{modalDepth_};
    MSG msg{};
    while (!done()) {
        if (!handleMessage(msg, &done)) {
            PostQuitMessage(static_cast<int>(msg.wParam));
            return;
        }
    }
}

ScopedHourglass::ScopedHourglass() : previous_(Application::instance().screenCursor()) {
    Application::instance().setScreenCursor(LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_WAIT)));
}

ScopedHourglass::~ScopedHourglass() { Application::instance().setScreenCursor(previous_); }

HintSuspension::HintSuspension() { Application::instance().hints().suspend(); }

HintSuspension::~HintSuspension() { Application::instance().hints().resume(); }

}  // namespace kv::ui
