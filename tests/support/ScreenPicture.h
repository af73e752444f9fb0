#pragma once
// Looking at a picture of a window taken from the screen: whether it and its
// parts were drawn at all.
#include <windows.h>

#include <cstddef>
#include <cstdio>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "ui/Application.h"
#include "ui/Canvas.h"

namespace kv::test {

using NamedControls = std::vector<std::pair<std::string, HWND>>;

// The number of different colours in the picture.
inline std::size_t CountColours(const ui::BitmapCanvas& shot) {
    std::vector<bool> seen(1 << 24);
    std::size_t colours = 0;
    for (int y = 0; y < shot.height(); ++y)
        for (int x = 0; x < shot.width(); ++x) {
            auto i = static_cast<std::size_t>(shot.pixel(x, y)) & 0xFFFFFF;
            colours += !seen[i];
            seen[i] = true;
        }
    return colours;
}

// The pixels of the colour inside r (the whole picture when r is empty).
inline int CountColourIn(const ui::BitmapCanvas& shot, COLORREF colour, RECT r = {}) {
    if (IsRectEmpty(&r)) r = {0, 0, shot.width(), shot.height()};
    int n = 0;
    for (int y = r.top; y < r.bottom; ++y)
        for (int x = r.left; x < r.right; ++x) n += shot.pixel(x, y) == colour;
    return n;
}

// The window's rectangle in a picture whose top-left pixel is at origin on the screen.
inline RECT RectInPicture(HWND hwnd, POINT origin) {
    RECT r{};
    GetWindowRect(hwnd, &r);
    OffsetRect(&r, -origin.x, -origin.y);
    return r;
}

// Pixels of the rectangle that differ from its top-left corner: 0 for a blank area.
inline int UnlikeCorner(const ui::BitmapCanvas& shot, const RECT& r) {
    const COLORREF first = shot.pixel(r.left + 1, r.top + 1);
    int unlike = 0;
    for (int y = r.top; y < r.bottom; ++y)
        for (int x = r.left; x < r.right; ++x)
            unlike += shot.pixel(x, y) != first;
    return unlike;
}

// The names of the controls whose area is blank in the picture; with report,
// a line for each control with its size and how much of it is drawn.
inline std::vector<std::string> BlankControls(const ui::BitmapCanvas& shot, const NamedControls& controls,
                                              POINT origin, bool report = false) {
    std::vector<std::string> blank;
    for (const auto& [name, hwnd] : controls) {
        const RECT r = RectInPicture(hwnd, origin);
        const int unlike = UnlikeCorner(shot, r);
        if (report)
            std::printf("%-12s %4ld x %-4ld %6d pixels unlike its corner\n", name.c_str(), r.right - r.left,
                        r.bottom - r.top, unlike);
        if (unlike == 0) blank.push_back(name);
    }
    return blank;
}

// The window's size and its top-left pixel on the screen.
inline SIZE WindowSize(HWND window) {
    RECT w{};
    GetWindowRect(window, &w);
    return {w.right - w.left, w.bottom - w.top};
}

inline POINT WindowOrigin(HWND window) {
    RECT w{};
    GetWindowRect(window, &w);
    return {w.left, w.top};
}

// Copies the screen from (left, top) into the whole picture.
inline void CopyFromScreen(ui::BitmapCanvas& shot, int left, int top) {
    HDC screen = GetDC(nullptr);
    BitBlt(shot.dc(), 0, 0, shot.width(), shot.height(), screen, left, top, SRCCOPY);
    ReleaseDC(nullptr, screen);
}

// Lets this process's windows paint for the given time.
inline void PaintFor(DWORD milliseconds) {
    for (DWORD start = GetTickCount(); GetTickCount() - start < milliseconds;) {
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 50, QS_ALLINPUT);
        ui::Application::instance().processMessages();
    }
}

// What the display shows lags behind the painting (Wine hands it to the X
// server in its own time): the screen from origin is copied again, wait()
// between copies, until drawn() holds or 30 seconds have passed.
inline void CopyUntilDrawn(ui::BitmapCanvas& shot, POINT origin, const std::function<bool()>& drawn,
                           const std::function<void()>& wait) {
    const DWORD start = GetTickCount();
    do {
        wait();
        CopyFromScreen(shot, origin.x, origin.y);
    } while (!drawn() && GetTickCount() - start < 30000);
}

// A window of this process: redrawn, then copied until drawn() holds, painting
// between copies.
inline void ShootOwnWindow(HWND window, ui::BitmapCanvas& shot, POINT origin, const std::function<bool()>& drawn) {
    RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
    CopyUntilDrawn(shot, origin, drawn, [] { PaintFor(250); });
}

}  // namespace kv::test
