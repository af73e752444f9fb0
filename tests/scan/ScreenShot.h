#pragma once
// Pictures of windows as the display shows them (under tools/wine-x11-run): the
// window copied from the screen until each of its controls is drawn.
#include <windows.h>

#include <string>
#include <utility>
#include <vector>

#include "ui/Application.h"
#include "ui/Canvas.h"

namespace kv::test {

using NamedControls = std::vector<std::pair<std::string, HWND>>;

// Pixels of the control's area unlike the one inside its top-left corner: none
// for a blank control.
inline int InkedPixels(const ui::BitmapCanvas& shot, HWND control, POINT origin) {
    RECT r{};
    GetWindowRect(control, &r);
    OffsetRect(&r, -origin.x, -origin.y);
    const COLORREF corner = shot.pixel(r.left + 1, r.top + 1);
    int inked = 0;
    for (int y = r.top; y < r.bottom; ++y)
        for (int x = r.left; x < r.right; ++x) inked += shot.pixel(x, y) != corner;
    return inked;
}

inline std::vector<std::string> BlankControls(const ui::BitmapCanvas& shot, const NamedControls& controls,
                                              POINT origin) {
    std::vector<std::string> blank;
    for (const auto& [name, hwnd] : controls)
        if (InkedPixels(shot, hwnd, origin) == 0) blank.push_back(name);
    return blank;
}

// What the display shows lags behind the painting (Wine hands it to the X
// server in its own time): the copy is taken again until no control is blank
// or 30 seconds have passed. Returns the controls still blank.
inline std::vector<std::string> ShootWindow(HWND window, const NamedControls& controls, ui::BitmapCanvas& shot) {
    RECT w{};
    GetWindowRect(window, &w);
    const POINT origin{w.left, w.top};
    RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
    std::vector<std::string> blank;
    const DWORD start = GetTickCount();
    do {
        for (DWORD waitStart = GetTickCount(); GetTickCount() - waitStart < 250;) {
            MsgWaitForMultipleObjects(0, nullptr, FALSE, 50, QS_ALLINPUT);
            ui::Application::instance().processMessages();
        }
        HDC screen = GetDC(nullptr);
        BitBlt(shot.dc(), 0, 0, shot.width(), shot.height(), screen, w.left, w.top, SRCCOPY);
        ReleaseDC(nullptr, screen);
        blank = BlankControls(shot, controls, origin);
    } while (!blank.empty() && GetTickCount() - start < 30000);
    return blank;
}

inline SIZE WindowSize(HWND window) {
    RECT w{};
    GetWindowRect(window, &w);
    return {w.right - w.left, w.bottom - w.top};
}

}  // namespace kv::test
