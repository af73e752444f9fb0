#pragma once
// A report window as the screen shows it: copied until none of the named
// controls is blank (or the wait runs out), saved, and the blank ones listed.
#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

#include "tests/support/BitmapFile.h"
#include "tests/support/ScreenPicture.h"

namespace kv::test {

inline bool ShootWindow(const char* what, HWND window, const NamedControls& controls, const std::string& path) {
    const POINT origin = WindowOrigin(window);
    const SIZE size = WindowSize(window);
    ui::BitmapCanvas shot(size.cx, size.cy);
    std::vector<std::string> blank;
    ShootOwnWindow(window, shot, origin, [&] {
        blank = BlankControls(shot, controls, origin);
        return blank.empty();
    });
    const bool saved = saveBitmap(shot, path);
    std::printf("%s: %s%s\n", what, blank.empty() ? "every control drawn" : "blank:", saved ? "" : " (picture not saved)");
    for (const std::string& name : blank)
        std::printf("  %s\n", name.c_str());
    return blank.empty() && saved;
}

}  // namespace kv::test
