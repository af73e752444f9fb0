#pragma once
// The program started on a catalog for a screenshot: a registry key of its own,
// marked current so the start is an ordinary one, without the tip of the day;
// closed and cleaned up after.
#include <windows.h>

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "shell/app/ProgramIdentity.h"
#include "shell/settings/SettingsStore.h"
#include "system/settings/RegistrySectionStoreWin32.h"

namespace kv::test {

class ScreenshotRun {
public:
    ScreenshotRun(const std::string& exe, const std::string& catalog, const char* key) : catalog_(catalog), key_(key) {
        RegDeleteTreeA(HKEY_CURRENT_USER, key_.substr(1).c_str());
        RegistrySectionStore store(HKEY_CURRENT_USER, key_);
        store.WriteBinary("", "RevisionMarker", std::vector<std::uint8_t>{2});
        // The tip of the day would stand over the window.
        SettingsStore settings{PlatformDefaults{}};
        settings.Load(store);
        settings.Update([](Settings& s) { s.tipsAtStart = false; });
        settings.Save(store);
        SetEnvironmentVariableA(kProgramKeyVariable, key_.c_str());
        std::string cmd = "\"" + exe + "\" \"" + catalog + "\"";
        STARTUPINFOA si{};
        si.cb = sizeof si;
        started_ = CreateProcessA(nullptr, cmd.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi_) != 0;
        if (!started_) std::printf("cannot start %s\n", exe.c_str());
    }
    ScreenshotRun(const ScreenshotRun&) = delete;
    ScreenshotRun& operator=(const ScreenshotRun&) = delete;

    bool started() const { return started_; }
    // The main window, once it exists (up to a minute); null when it never came.
    HWND mainWindow() {
        HWND main = nullptr;
        for (int i = 0; i < 600 && !main; ++i, Sleep(100)) main = FindWindowA(kMainWindowClass, nullptr);
        return main;
    }
    // Closes the program (or ends it when it hangs) and cleans up: the result,
    // or 1 when the program did not end by itself.
    int finish(HWND main, int result) {
        if (main) PostMessageA(main, WM_CLOSE, 0, 0);
        if (started_) {
            if (WaitForSingleObject(pi_.hProcess, 60000) != WAIT_OBJECT_0) {
                TerminateProcess(pi_.hProcess, 99);
                result = 1;
            }
            CloseHandle(pi_.hThread);
            CloseHandle(pi_.hProcess);
        }
        DeleteFileA(catalog_.c_str());
        RegDeleteTreeA(HKEY_CURRENT_USER, key_.substr(1).c_str());
        return result;
    }

private:
    std::string catalog_;
    std::string key_;
    PROCESS_INFORMATION pi_{};
    bool started_ = false;
};

}  // namespace kv::test
