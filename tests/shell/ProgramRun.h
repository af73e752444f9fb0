#pragma once
// The real program started as a user starts it, in a process of its own, and
// what a test sees of it from outside: its windows and the counts its tree and
// list report. Input goes in as posted messages, so it takes the program's
// message loop as typed keys and clicks do.
#include <windows.h>
#include <commctrl.h>

#include <functional>
#include <optional>
#include <string>

namespace kv::test {

inline constexpr const char* kMainClass = "Korvalder? WndClass";

// The program with arguments, in a working folder; the handles are closed at the end.
struct Program {
    PROCESS_INFORMATION pi{};
    bool started = false;

    explicit Program(const std::string& args, const std::string& folder = "") {
        STARTUPINFOA si{};
        si.cb = sizeof si;
        std::string cmd = std::string(KV_KORVALDER_EXE) + (args.empty() ? "" : " " + args);
        char exe[MAX_PATH] = {};
        GetFullPathNameA(KV_KORVALDER_EXE, MAX_PATH, exe, nullptr);
        started = CreateProcessA(exe, cmd.data(), nullptr, nullptr, FALSE, 0, nullptr,
                                 folder.empty() ? nullptr : folder.c_str(), &si, &pi) != FALSE;
    }
    ~Program() {
        if (!started) return;
        if (WaitForSingleObject(pi.hProcess, 0) == WAIT_TIMEOUT) TerminateProcess(pi.hProcess, 99);
        CloseHandle(pi.hThread);
        CloseHandle(pi.hProcess);
    }
    Program(const Program&) = delete;
    Program& operator=(const Program&) = delete;
    // The exit code, or nothing while it still runs after ms.
    std::optional<DWORD> exitCode(DWORD ms) const {
        if (WaitForSingleObject(pi.hProcess, ms) != WAIT_OBJECT_0) return std::nullopt;
        DWORD code = 0;
        GetExitCodeProcess(pi.hProcess, &code);
        return code;
    }
};

// True once `done` holds, checked every 50 ms until ms have passed.
inline bool WaitUntil(const std::function<bool()>& done, DWORD ms) {
    for (DWORD waited = 0;; waited += 50) {
        if (done()) return true;
        if (waited >= ms) return false;
        Sleep(50);
    }
}

inline HWND WaitForWindow(const char* cls, DWORD ms) {
    HWND found = nullptr;
    WaitUntil([&] { return (found = FindWindowA(cls, nullptr)) != nullptr; }, ms);
    return found;
}

struct ProcessWindowSearch {
    DWORD pid;
    const std::string* caption;
    HWND found;
};

inline BOOL CALLBACK MatchProcessWindow(HWND h, LPARAM lp) {
    auto* s = reinterpret_cast<ProcessWindowSearch*>(lp);
    DWORD pid = 0;
    GetWindowThreadProcessId(h, &pid);
    char text[128] = {};
    GetWindowTextA(h, text, sizeof text);
    if (pid == s->pid && IsWindowVisible(h) && *s->caption == text) {
        s->found = h;
        return FALSE;
    }
    return TRUE;
}

// A visible top-level window of the process with this caption; null when none.
inline HWND ProcessWindow(const Program& p, const std::string& caption) {
    ProcessWindowSearch search{p.pi.dwProcessId, &caption, nullptr};
    EnumWindows(MatchProcessWindow, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

inline void PostKey(HWND hwnd, WORD key) {
    PostMessageA(hwnd, WM_KEYDOWN, key, 1);
    PostMessageA(hwnd, WM_KEYUP, key, 0xC0000001);
}

inline int ListCount(HWND list) { return static_cast<int>(SendMessageA(list, LVM_GETITEMCOUNT, 0, 0)); }

// A left click on the list's first row, just below its header.
inline void ClickFirstRow(HWND list) {
    RECT header{};
    if (HWND h = FindWindowExA(list, nullptr, WC_HEADERA, nullptr); h && IsWindowVisible(h)) {
        GetWindowRect(h, &header);
        MapWindowPoints(nullptr, list, reinterpret_cast<POINT*>(&header), 2);
    }
    const LPARAM at = MAKELPARAM(20, header.bottom + 5);
    PostMessageA(list, WM_LBUTTONDOWN, MK_LBUTTON, at);
    PostMessageA(list, WM_LBUTTONUP, 0, at);
}

// The number of top-level items of the program's tree.
inline unsigned TreeRoots(HWND tree) {
    unsigned n = 0;
    for (HTREEITEM item = TreeView_GetRoot(tree); item; item = TreeView_GetNextSibling(tree, item)) ++n;
    return n;
}

}  // namespace kv::test
