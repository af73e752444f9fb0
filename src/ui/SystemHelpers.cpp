#include "ui/SystemHelpers.h"

#include <winspool.h>

#include "base/Errors.h"
#include "ui/Application.h"
#include "ui/SystemFonts.h"

namespace kv::ui {

std::uint32_t FileTimeToDosDate(const FILETIME& fileTime) {
    FILETIME local;
    WORD date = 0, time = 0;
    if (!FileTimeToLocalFileTime(&fileTime, &local) || !FileTimeToDosDateTime(&local, &date, &time))
        throw Error("Invalid file time");
    return (static_cast<std::uint32_t>(date) << 16) | time;
}

bool TouchFileNow(const std::string& name) {
    HANDLE h = CreateFileA(name.c_str(), FILE_WRITE_ATTRIBUTES, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                           OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (h == INVALID_HANDLE_VALUE) return false;
    FILETIME now;
    GetSystemTimeAsFileTime(&now);
    bool ok = SetFileTime(h, nullptr, nullptr, &now) != FALSE;
    CloseHandle(h);
    return ok;
}

std::string GetShortPath(const std::string& path) {
    DWORD n = GetShortPathNameA(path.c_str(), nullptr, 0);
    if (n == 0) return path;
    std::string s(n, '\0');
    DWORD got = GetShortPathNameA(path.c_str(), s.data(), n);
    if (got == 0 || got >= n) return path;
    s.resize(got);
    return s;
}

bool FileExistsByFind(const std::string& path) {
    if (path.empty() || path.find_first_of("*?") != std::string::npos) {
        SetLastError(ERROR_INVALID_NAME);
        return false;
    }
    std::string p = path;
    // A folder is found by its name, not by a trailing backslash; a drive's
    // root is not found at all, so its attributes answer.
    if (p.size() > 3 && (p.back() == '\\' || p.back() == '/')) p.pop_back();
    const bool root = p.size() <= 3 && p.size() >= 2 && p[1] == ':';
    const UINT oldMode = SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX);
    bool found;
    if (root) {
        found = GetFileAttributesA(p.c_str()) != INVALID_FILE_ATTRIBUTES;
    } else {
        WIN32_FIND_DATAA data;
        HANDLE h = FindFirstFileA(p.c_str(), &data);
        found = h != INVALID_HANDLE_VALUE;
        if (found) FindClose(h);
    }
    const DWORD error = found ? 0 : GetLastError();
    SetErrorMode(oldMode);
    SetLastError(error);
    return found;
}

DWORD LastIOResult() {
    const DWORD error = GetLastError();
    SetLastError(0);
    return error;
}

LOGFONTA GetCaptionFont() { return SystemFonts::instance().captionLogFont(); }

bool PrinterInstalled() {
    DWORD needed = 0, count = 0;
    EnumPrintersA(PRINTER_ENUM_LOCAL | PRINTER_ENUM_CONNECTIONS, nullptr, 4, nullptr, 0, &needed, &count);
    return needed > 0;
}

bool CheckPrinterInstalled(UserPrompt& prompt, bool printerExists) {
    if (!printerExists)
        prompt.ask({"There seems to be no printer installed on your computer.\r\n"
                    "To use reports, at least a generic printer driver must be \r\n"
                    "installed, even if you don't have a printer yourself.",
                    "No Printers Installed", PromptButtons::Ok, PromptIcon::Warning});
    return printerExists;
}

bool CheckPrinterInstalled() { return CheckPrinterInstalled(Application::instance().prompt(), PrinterInstalled()); }

namespace {
int lockCount = 0;
}

void NestedLockWindowUpdate(HWND window) {
    if (window) {
        if (lockCount++ == 0) LockWindowUpdate(window);
    } else if (lockCount > 0 && --lockCount == 0) {
        LockWindowUpdate(nullptr);
    }
}

int NestedLockCount() { return lockCount; }

}  // namespace kv::ui
