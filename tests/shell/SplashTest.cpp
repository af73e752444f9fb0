#include <gtest/gtest.h>

#include "shell/app/SplashFormWin32.h"
#include "ui/Application.h"
#include "ui/Canvas.h"

namespace kv {
namespace {

// Runs the message loop until done() or time is up.
bool pumpUntil(const std::function<bool()>& done, DWORD ms) {
    for (DWORD start = GetTickCount(); GetTickCount() - start < ms;) {
        ui::Application::instance().processMessages();
        if (done()) return true;
        Sleep(5);
    }
    return done();
}

COLORREF pixelOf(HBITMAP bitmap, int x, int y) {
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(dc, bitmap);
    COLORREF c = GetPixel(dc, x, y);
    SelectObject(dc, old);
    DeleteDC(dc);
    return c;
}

TEST(Splash, ClosesAtATimerEventOnlyOnceItsMessageReadsDone) {
    SplashForm splash;
    splash.show();
    EXPECT_EQ(splash.message(), "Initializing...");
    EXPECT_EQ(splash.interval(), 3500u);
    splash.setInterval(20);
    EXPECT_FALSE(pumpUntil([&] { return splash.closed(); }, 300));
    EXPECT_TRUE(IsWindow(splash.hwnd()));
    splash.setMessage("Done.");
    EXPECT_TRUE(pumpUntil([&] { return splash.closed(); }, 3000));
    EXPECT_EQ(splash.hwnd(), nullptr);
}

TEST(Splash, IsTopMostCentredAndAClickHurriesIt) {
    SplashForm splash;
    splash.show();
    EXPECT_TRUE(GetWindowLongA(splash.hwnd(), GWL_EXSTYLE) & WS_EX_TOPMOST);
    RECT r{};
    GetWindowRect(splash.hwnd(), &r);
    EXPECT_EQ(r.right - r.left, 350);
    EXPECT_EQ(r.bottom - r.top, 254);
    RECT area = ui::Application::workArea();
    EXPECT_NEAR(r.left, area.left + (area.right - area.left - 350) / 2, 1);

    HWND logo = GetWindow(splash.hwnd(), GW_CHILD);
    ASSERT_NE(logo, nullptr);
    SendMessageA(logo, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, 10));
    SendMessageA(logo, WM_LBUTTONUP, 0, MAKELPARAM(10, 10));
    EXPECT_EQ(splash.interval(), 1u);
}

TEST(Splash, StripIsMadeOfTheLogosLastRows) {
    // A logo whose rows 229..234 each have a colour of their own.
    ui::BitmapCanvas logo(350, 235);
    for (int y = 0; y < 235; ++y) {
        logo.canvas().setBrushColor(RGB(y, 255 - y, (y * 7) & 255));
        logo.canvas().fillRect({0, y, 350, y + 1});
    }
    HBITMAP copy = static_cast<HBITMAP>(CopyImage(logo.bitmap(), IMAGE_BITMAP, 0, 0, 0));
    SplashForm splash{ui::GdiObject<HBITMAP>(copy)};
    for (int y = 0; y < 19; ++y)
        EXPECT_EQ(pixelOf(splash.strip(), 100, y), logo.pixel(100, 229)) << y;
    for (int y = 19; y < 24; ++y)
        EXPECT_EQ(pixelOf(splash.strip(), 100, y), logo.pixel(100, 230 + y - 19)) << y;
}

}  // namespace
}  // namespace kv
