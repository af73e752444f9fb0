#pragma once
// Disables the program's other top-level windows while a modal window shows and
// re-enables exactly those it disabled.
#include <windows.h>

#include <vector>

namespace kv::ui {

class WindowDisabler {
public:
    // Disables every visible, enabled top-level window of this thread except keep.
    explicit WindowDisabler(HWND keep);
    ~WindowDisabler() { restore(); }
    WindowDisabler(const WindowDisabler&) = delete;
    WindowDisabler& operator=(const WindowDisabler&) = delete;

    // Re-enables the windows it disabled that still exist; later calls do nothing.
    void restore();
    const std::vector<HWND>& disabled() const { return disabled_; }

private:
    std::vector<HWND> disabled_;
};

}  // namespace kv::ui
