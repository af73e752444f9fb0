#pragma once
// The application object: message loop with idle handling, modal loops, the
// screen cursor, the user-prompt service and the exception barrier's report.
#include <windows.h>

#include <functional>
#include <string>

#include "ui/UserPrompt.h"

namespace kv::ui {

class Form;

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
    bool terminated() const { return terminated_; }
    void terminate() { PostQuitMessage(0); }

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
    // WM_MENUSELECT); onHint runs on every change.
    const std::string& hint() const { return hint_; }
    void setHint(const std::string& hint);
    std::function<void(Application& sender)> onHint;

    // Context help through WinHelp; false without a help file.
    std::string helpFile;
    bool helpContext(HWND owner, unsigned long context, bool popup = false);

private:
    Application() = default;
    // One message or, with an empty queue, the idle work and a wait. False on WM_QUIT.
    bool handleMessage(MSG& msg, const std::function<bool()>* stop);
    void dispatch(MSG& msg);
    bool runIdle();

    int modalDepth_ = 0;
    bool terminated_ = false;
    UserPrompt* prompt_ = nullptr;
    HCURSOR screenCursor_ = nullptr;
    Form* mainForm_ = nullptr;
    std::string hint_;
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

}  // namespace kv::ui
