#include "scan/ScanExtractFolderWin32.h"

#include <windows.h>

#include <cstdint>
#include <cstdio>

#include "system/files/FileSystem.h"

namespace kv {

ScanExtractFolder::ScanExtractFolder(const std::string& temp) {
    if (temp.empty()) return;
    std::uint32_t n = GetTickCount() ^ GetCurrentProcessId();
    for (int tries = 0; tries < 100; ++tries, ++n) {
        char name[16];
        std::snprintf(name, sizeof name, "KVS%08X", static_cast<unsigned>(n));
        const std::string candidate = JoinPath(temp, name);
        if (CreateDirectoryA(candidate.c_str(), nullptr)) {
            path_ = candidate;
            return;
        }
        if (GetLastError() != ERROR_ALREADY_EXISTS) return;
    }
}

ScanExtractFolder::~ScanExtractFolder() {
    if (path_.empty()) return;
    // The scan erases what it extracts; anything left is ours alone.
    WIN32_FIND_DATAA found;
    HANDLE h = FindFirstFileA(JoinPath(path_, "*").c_str(), &found);
    if (h != INVALID_HANDLE_VALUE) {
        do {
            if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) continue;
            const std::string file = JoinPath(path_, found.cFileName);
            SetFileAttributesA(file.c_str(), FILE_ATTRIBUTE_NORMAL);
            DeleteFileA(file.c_str());
        } while (FindNextFileA(h, &found));
        FindClose(h);
    }
    RemoveDirectoryA(path_.c_str());
}

}  // namespace kv
