#pragma once
// The main window's status line as portable code sees it: a text and a busy
// state (hourglass and busy mark). The window side implements it.
#include <string>

namespace kv::ui {

class StatusDisplay {
public:
    virtual ~StatusDisplay() = default;
    // Busy puts the text in the status bar and shows the hourglass; not busy
    // lets the window rebuild its own status texts.
    virtual void ShowStatus(const std::string& text, bool busy) = 0;
};

}  // namespace kv::ui
