#pragma once
// The application object: message loop with idle handling, modal loops, the
// screen cursor, hints, help, the user-prompt service and the exception
// barrier's report.
#include <windows.h>

#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "ui/HintWindow.h"
#include "ui/UserPrompt.h"

namespace kv {
class QueuedSync;
}

namespace kv::ui {

class Form;
class HintManager;
class MainThreadCalls;

class Application {
public:
    static Application& instance();

    // Runs until WM_QUIT; returns its exit code.
    int run();
    // Dispatches every pending message; never runs idle work.
    void processMessages();
    // Runs a nested loop (idle work included) until done() or WM_QUIT, which is
    // posted again for the outer loop.
    void runModalLoop(const std::function<bool()>& done);
    int modalDepth() const { return modalDepth_; }
    // Outside any modal loop and at most one handler deep: nothing the
    // program started is half-done below the caller.
    bool atOuterLevel() const { return modalDepth_ == 0 && handlerDepth_ <= 1; }
    // True while a message for window is dispatched straight from the
    // outermost loop, with nothing held: work that must not run inside
    // half-done work may run then. Never inside a modal loop, a message box,
    // a menu or a pump within a handler or idle work.
    bool atSafePoint(HWND window) const;
    bool terminated() const { return terminated_; }
    void terminate() { PostQuitMessage(0); }

    // The worker's synchronised calls to the main thread. Every message loop
    // runs them as they come, modal ones included. First use on the main thread.
    QueuedSync& mainThreadSync();

    // Called when the queue runs empty, also inside modal loops. Set done to
    // false to be called again without waiting for a message.
    std::function<void(Application& sender, bool& done)> onIdle;

    // Shows the error box for the exception being handled; the silent abort
    // shows nothing. Call only from a catch block.
    void handleCurrentException();

    UserPrompt& prompt();
    // Replaces the prompt service (tests answer with a script); null restores
    // the message boxes.
    void setPrompt(UserPrompt* prompt) { prompt_ = prompt; }

    // A cursor every window of the program shows, or null for each window's own.
    HCURSOR screenCursor() const { return screenCursor_; }
    void setScreenCursor(HCURSOR cursor);

    Form* mainForm() const { return mainForm_; }
    void setMainForm(Form* form) { mainForm_ = form; }

    static RECT workArea();

    // The status-line hint of what the mouse is over (menus set it from
    // WM_MENUSELECT); onHint runs on every change and whenever the mouse
    // reaches another control, so a handler can tune the pauses per place.
    const std::string& hint() const { return hint_; }
    void setHint(const std::string& hint);
    std::function<void(Application& sender)> onHint;

    // Pop-up hints over controls whose showHint is on: shown after hintPause,
    // after hintShortPause when the mouse moves on while one shows, hidden
    // after hintHidePause, on a click or a key, or when the mouse leaves.
    // Negative pauses: at once; a negative hide pause: never.
    int hintPause = 500;
    int hintShortPause = 50;
    int hintHidePause = 2500;
    // Empty: the system's tooltip colour.
    std::optional<COLORREF> hintColor;
    // Runs before a hint shows: may change the text and the info, or veto it.
    std::function<void(Application& sender, std::string& hintStr, bool& canShow, HintInfo& info)> onShowHint;
    bool showHint() const { return showHint_; }
    // Off also drops the hint window, so switching off and on makes it again.
    void setShowHint(bool show);
    HintWindowClass hintWindowClass() const;
    // Another class replaces the hint window (also from inside onShowHint).
    void setHintWindowClass(HintWindowClass cls);
    void cancelHint();
    HintManager& hints();

    // The program's name and icon: message boxes without a caption show the
    // title, forms without an icon of their own show the icon.
    std::string title;
    HICON icon = nullptr;

    // Context help through WinHelp; false without a help file.
    std::string helpFile;
    // Closes the help viewer if it was opened for our help file (at exit).
    bool helpQuit(HWND owner);
    bool helpContext(HWND owner, unsigned long context, bool popup = false);
    // Runs the help requests in place of WinHelp (tests record them); null: WinHelp.
    std::function<bool(HWND owner, const std::string& file, UINT command, ULONG_PTR data)> helpHandler;

private:
    Application();
    ~Application();
    // One message or, with an empty queue, the idle work and a wait. False on WM_QUIT.
    bool handleMessage(MSG& msg, const std::function<bool()>* stop);
    void dispatch(MSG& msg);
    bool runIdle();

    friend class SafePointHold;

    int modalDepth_ = 0;
    // Messages dispatched by our loops and idle work in progress, and the
    // window of the outermost one.
    int handlerDepth_ = 0;
    HWND outermost_ = nullptr;
    int holds_ = 0;
    bool terminated_ = false;
    UserPrompt* prompt_ = nullptr;
    HCURSOR screenCursor_ = nullptr;
    Form* mainForm_ = nullptr;
    std::string hint_;
    bool showHint_ = true;
    std::unique_ptr<HintManager> hints_;
    std::unique_ptr<MainThreadCalls> calls_;
};

// Shows the hourglass on every window of the program for its lifetime.
class ScopedHourglass {
public:
    ScopedHourglass();
    ~ScopedHourglass();
    ScopedHourglass(const ScopedHourglass&) = delete;
    ScopedHourglass& operator=(const ScopedHourglass&) = delete;

private:
    HCURSOR previous_;
};

// Main-thread work partway through something a worker's call could disturb
// (reading a catalog, a record editor): no safe point for its lifetime.
class SafePointHold {
public:
    SafePointHold() { ++Application::instance().holds_; }
    ~SafePointHold() { --Application::instance().holds_; }
    SafePointHold(const SafePointHold&) = delete;
    SafePointHold& operator=(const SafePointHold&) = delete;
};

// Keeps pop-up hints away for its lifetime (while a toolbar is dragged, say).
class HintSuspension {
public:
    HintSuspension();
    ~HintSuspension();
    HintSuspension(const HintSuspension&) = delete;
    HintSuspension& operator=(const HintSuspension&) = delete;
};

}  // namespace kv::ui
