// Starts the real program and closes it again, as a user would.
#include <windows.h>

#include <gtest/gtest.h>

namespace {

HWND waitForWindow(const char* cls, DWORD ms) {
    for (DWORD waited = 0; waited < ms; waited += 100) {
        if (HWND h = FindWindowA(cls, nullptr)) return h;
        Sleep(100);
    }
    return nullptr;
}

TEST(Startup, MainWindowOpensWithItsClassAndCaptionAndClosesCleanly) {
    STARTUPINFOA si{};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi{};
    char cmd[] = KV_KORVALDER_EXE;
    ASSERT_TRUE(CreateProcessA(nullptr, cmd, nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi));

    HWND main = waitForWindow("Korvalder? WndClass", 60000);
    ASSERT_NE(main, nullptr);
    char caption[64] = {};
    GetWindowTextA(main, caption, sizeof caption);
    EXPECT_STREQ(caption, "Korvalder?");

    PostMessageA(main, WM_CLOSE, 0, 0);
    EXPECT_EQ(WaitForSingleObject(pi.hProcess, 60000), WAIT_OBJECT_0);
    DWORD code = 1;
    GetExitCodeProcess(pi.hProcess, &code);
    EXPECT_EQ(code, 0u);
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
}

TEST(Startup, ProgramCarriesItsIconsInBothSizes) {
    HMODULE exe = LoadLibraryExA(KV_KORVALDER_EXE, nullptr, LOAD_LIBRARY_AS_DATAFILE);
    ASSERT_NE(exe, nullptr);
    for (int size : {16, 32}) {
        HICON icon = static_cast<HICON>(LoadImageA(exe, MAKEINTRESOURCEA(1), IMAGE_ICON, size, size, 0));
        ASSERT_NE(icon, nullptr) << size;
        ICONINFO info{};
        ASSERT_TRUE(GetIconInfo(icon, &info));
        BITMAP bm{};
        GetObjectA(info.hbmColor, sizeof bm, &bm);
        EXPECT_EQ(bm.bmWidth, size);
        DeleteObject(info.hbmColor);
        DeleteObject(info.hbmMask);
        DestroyIcon(icon);
    }
    FreeLibrary(exe);
}

}  // namespace
