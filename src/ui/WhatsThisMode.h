#pragma once
// The help pointer's mode: the help cursor on every window of the program and
// the mouse captured by one form until the next left click, which names the
// control under it. Losing the capture any other way ends the mode unpicked.
#include <windows.h>

#include <functional>

#include "ui/Form.h"

namespace kv::ui {

class WhatsThisMode {
public:
    explicit WhatsThisMode(Form& form) : form_(form) {}
    ~WhatsThisMode() { stop(); }
    WhatsThisMode(const WhatsThisMode&) = delete;
    WhatsThisMode& operator=(const WhatsThisMode&) = delete;

    void start();
    // Cursor back and capture released; onEnd runs.
    void stop();
    bool active() const { return active_; }

    // The deepest control at a point of the form's client area (hidden ones
    // left out, disabled ones not); the form itself when no child is there.
    static Control* controlAt(Form& form, POINT clientPoint);

    // The left click: the mode has ended already; control may be null (outside the form).
    std::function<void(WhatsThisMode& sender, Control* control, POINT screenPoint)> onPick;
    std::function<void(WhatsThisMode& sender)> onEnd;

private:
    bool message(UINT msg, LPARAM lp);
    Form& form_;
    bool active_ = false;
    HCURSOR previous_ = nullptr;
    ListenerRegistration listener_;
};

}  // namespace kv::ui
