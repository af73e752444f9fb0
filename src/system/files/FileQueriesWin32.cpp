#include "system/files/FileQueries.h"

#include <string_view>

#include "system/drives/MediaTypes.h"
#include "system/files/FileQueriesWin32.h"
#include "system/files/QuietErrorsWin32.h"

namespace kv {

namespace {

// A folder is named without its trailing separator; a drive's root (C:\) keeps it.
std::string WithoutTrailingSeparator(const std::string& path, std::string_view separators) {
    if (path.size() > 3 && separators.find(path.back()) != std::string_view::npos)
        return path.substr(0, path.size() - 1);
    return path;
}

}  // namespace

DWORD FileAttributesOf(const std::string& path) { return GetFileAttributesA(path.c_str()); }

std::string SystemTempPath() {
    std::string dir(MAX_PATH + 1, '\0');
    for (int attempt = 0; attempt < 2; ++attempt) {
        const DWORD n = GetTempPathA(static_cast<DWORD>(dir.size()), dir.data());
        if (n == 0)
            return {};
        if (n < dir.size()) {
            dir.resize(n);
            return dir;
        }
        dir.assign(n + 1, '\0');
    }
    return {};
}

bool DiskFreeSpace(const std::string& folder, ULARGE_INTEGER* available, ULARGE_INTEGER* total,
                   ULARGE_INTEGER* free) {
    return GetDiskFreeSpaceExA(folder.c_str(), available, total, free) != FALSE;
}

bool PathExists(const std::string& path) {
    if (path.size() == 3 && path[1] == ':' && path[2] == '\\') {
        const int i = DriveIndex(path[0]);
        return i >= 0 && (GetLogicalDrives() & (1u << i)) != 0;
    }
    const std::string p = WithoutTrailingSeparator(path, "\\");
    QuietErrors quiet;
    return !p.empty() && FileAttributesOf(p) != INVALID_FILE_ATTRIBUTES;
}

std::string GetTempDir() {
    const std::string dir = SystemTempPath();
    return !dir.empty() && dir.size() < MAX_PATH ? dir : ".\\";
}

std::string GetWindowsDir() {
    char buf[MAX_PATH + 1] = {};
    const UINT n = GetWindowsDirectoryA(buf, MAX_PATH);
    if (n == 0 || n >= MAX_PATH)
        return ".\\";
    std::string dir(buf, n);
    if (dir.back() != '\\')
        dir += '\\';
    return dir;
}

bool FileExistsByFind(const std::string& path) {
    if (path.empty() || path.find_first_of("*?") != std::string::npos) {
        SetLastError(ERROR_INVALID_NAME);
        return false;
    }
    // A folder is found by its name, not by a trailing backslash; a drive's
    // root is not found at all, so its attributes answer.
    const std::string p = WithoutTrailingSeparator(path, "\\/");
    const bool root = p.size() <= 3 && p.size() >= 2 && p[1] == ':';
    const UINT oldMode = SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX);
    bool found;
    if (root) {
        found = FileAttributesOf(p) != INVALID_FILE_ATTRIBUTES;
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

std::uint32_t LastIOResult() {
    const DWORD error = GetLastError();
    SetLastError(0);
    return error;
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

}  // namespace kv
