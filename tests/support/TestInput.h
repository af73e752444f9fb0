#pragma once
// Tools for tests under Wine: synthesised input and actions that run from a
// timer inside a modal loop (message boxes, modal forms, menus).
#include <windows.h>

#include <functional>
#include <string>

namespace kv::uitest {

// Sends a left click at a client point: button down, then up.
void sendClick(HWND hwnd, int x, int y);
// Presses the left button at one client point, moves and releases it at another.
void sendDrag(HWND hwnd, POINT from, POINT to);
// Presses the left button at a client point of source, moves past the drag
// threshold, then over the middle of target (any window) and releases there;
// whileOver runs before the release.
void sendDragOnto(HWND source, POINT from, HWND target, const std::function<void()>& whileOver = {});
// Posts a key press, so it goes through the message loop like typed input.
void postKey(HWND hwnd, WORD key);

// Runs action once from a thread timer after delayMs, in whatever message loop
// is running then. Cancels on destruction if it has not run.
class TimerAction {
public:
    TimerAction(int delayMs, std::function<void()> action);
    ~TimerAction();
    TimerAction(const TimerAction&) = delete;
    TimerAction& operator=(const TimerAction&) = delete;
    bool ran() const { return ran_; }

private:
    static void CALLBACK tick(HWND, UINT, UINT_PTR id, DWORD);
    UINT_PTR id_ = 0;
    bool ran_ = false;
    std::function<void()> action_;
};

// What a message box showed.
struct SeenBox {
    std::string caption;
    std::string text;
    bool found = false;
};

// A visible message box of this thread, or null.
HWND findMessageBox();
SeenBox readMessageBox(HWND box);

// Waits for the next message box (checked every 50 ms) and presses the button
// with the given dialog result (IDOK, IDYES, ...).
class MessageBoxAnswerer {
public:
    explicit MessageBoxAnswerer(int button);
    ~MessageBoxAnswerer();
    MessageBoxAnswerer(const MessageBoxAnswerer&) = delete;
    MessageBoxAnswerer& operator=(const MessageBoxAnswerer&) = delete;
    const SeenBox& seen() const { return seen_; }

private:
    static void CALLBACK tick(HWND, UINT, UINT_PTR id, DWORD);
    UINT_PTR id_ = 0;
    int button_;
    SeenBox seen_;
};

}  // namespace kv::uitest
