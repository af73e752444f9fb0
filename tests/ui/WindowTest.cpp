#include "ui/Window.h"

#include <gtest/gtest.h>

namespace {

int gCreates = 0;

LRESULT CALLBACK countingProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_CREATE) ++gCreates;
    return DefWindowProcA(hwnd, msg, wp, lp);
}

TEST(Window, CreatesShowsAndDestroysWithoutADisplay) {
    kv::ui::WindowClass cls("KvWindowTest", countingProc);
    kv::ui::UniqueWindow w(CreateWindowExA(0, cls.name().c_str(), "Test", WS_OVERLAPPEDWINDOW, 10, 20, 300, 200,
                                           nullptr, nullptr, cls.instance(), nullptr));
    ASSERT_TRUE(w);
    EXPECT_EQ(gCreates, 1);
    ShowWindow(w.get(), SW_SHOW);
    EXPECT_TRUE(IsWindowVisible(w.get()));

    RECT r{};
    ASSERT_TRUE(GetWindowRect(w.get(), &r));
    EXPECT_EQ(r.right - r.left, 300);
    EXPECT_EQ(r.bottom - r.top, 200);

    char text[32] = {};
    GetWindowTextA(w.get(), text, sizeof text);
    EXPECT_STREQ(text, "Test");

    HWND h = w.get();
    w.reset();
    EXPECT_FALSE(IsWindow(h));
}

TEST(Window, MessageLoopEndsWithTheQuitCode) {
    PostQuitMessage(7);
    EXPECT_EQ(kv::ui::runMessageLoop(), 7);
}

}  // namespace
