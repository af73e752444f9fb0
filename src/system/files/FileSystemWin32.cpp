#include <windows.h>

#include <cstdint>
#include <limits>
#include <optional>
#include <vector>

#include "base/text/AnsiCase.h"
#include "base/Errors.h"
#include "system/SystemCaseMap.h"
#include "system/files/FileQueriesWin32.h"
#include "system/files/FileSourceWin32.h"
#include "system/files/FileSystem.h"

namespace kv {

namespace {

FsStatus StatusFromLastError() {
    const DWORD code = GetLastError();
    return code == ERROR_ACCESS_DENIED || code == ERROR_SHARING_VIOLATION ? FsStatus::AccessDenied
                                                                           : FsStatus::Failed;
}

// The volume and the file's index on it: one file however it is named (short
// names, letter case, links). Nullopt when the file cannot be asked.
struct FileIdentity {
    DWORD volume;
    DWORD indexHigh;
    DWORD indexLow;
    bool operator==(const FileIdentity&) const = default;
};

std::optional<FileIdentity> IdentityOf(const std::string& path) {
    // No access asked, every sharing allowed: works on files others hold open, folders too.
    HANDLE h = CreateFileA(path.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                           OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (h == INVALID_HANDLE_VALUE) return std::nullopt;
    BY_HANDLE_FILE_INFORMATION info{};
    const bool ok = GetFileInformationByHandle(h, &info) != 0;
    CloseHandle(h);
    // Some network file systems give no index: the identity would match every file.
    if (!ok || (info.nFileIndexHigh == 0 && info.nFileIndexLow == 0)) return std::nullopt;
    return FileIdentity{info.dwVolumeSerialNumber, info.nFileIndexHigh, info.nFileIndexLow};
}

std::string WithTrailingSeparator(std::string folder) {
    if (!folder.empty() && folder.back() != '\\' && folder.back() != '/')
        folder += '\\';
    return folder;
}

class Win32FileSystem final : public IFileSystem {
public:
    std::string FullPath(const std::string& path) override {
        std::string full = Call([&](char* buf, DWORD size) { return GetFullPathNameA(path.c_str(), size, buf, nullptr); });
        if (full.empty())
            return path;
        std::string longName = Call([&](char* buf, DWORD size) { return GetLongPathNameA(full.c_str(), buf, size); });
        return longName.empty() ? full : longName;
    }

    bool SamePath(const std::string& a, const std::string& b) override {
        const auto first = IdentityOf(a);
        const auto second = first ? IdentityOf(b) : std::nullopt;
        if (first && second) return *first == *second;
        // A name that does not exist (yet) is compared by its spelling.
        const CaseMap& map = systemCaseMap();
        return upperCase(FullPath(a), map) == upperCase(FullPath(b), map);
    }

    bool Exists(const std::string& path) override {
        const DWORD a = FileAttributesOf(path);
        return a != INVALID_FILE_ATTRIBUTES && !(a & FILE_ATTRIBUTE_DIRECTORY);
    }

    std::optional<std::uint64_t> FileSize(const std::string& path) override {
        WIN32_FILE_ATTRIBUTE_DATA data;
        if (!GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data))
            return std::nullopt;
        return (std::uint64_t{data.nFileSizeHigh} << 32) | data.nFileSizeLow;
    }

    std::optional<std::uint32_t> FileDosDate(const std::string& path) override {
        WIN32_FILE_ATTRIBUTE_DATA data{};
        if (!GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data)) return std::nullopt;
        FILETIME local{};
        WORD date = 0, time = 0;
        if (!FileTimeToLocalFileTime(&data.ftLastWriteTime, &local) || !FileTimeToDosDateTime(&local, &date, &time))
            return std::nullopt;
        return (std::uint32_t{date} << 16) | time;
    }

    std::uint32_t FileAttributes(const std::string& path) override {
        const DWORD a = FileAttributesOf(path);
        return a == INVALID_FILE_ATTRIBUTES ? 0x20u : static_cast<std::uint32_t>(a & 0xFF);
    }

    std::optional<std::uint64_t> FreeSpace(const std::string& folder) override {
        // The folder itself, not its drive letter: UNC paths and mounted folders answer too.
        ULARGE_INTEGER available;
        if (!DiskFreeSpace(WithTrailingSeparator(folder), &available, nullptr, nullptr))
            return std::nullopt;
        return available.QuadPart;
    }

    std::string TempFolder() override {
        return SystemTempPath();
    }

    std::string CreateTempFile(const std::string& folder, const std::string& prefix) override {
        char name[MAX_PATH + 1] = {};
        if (GetTempFileNameA(folder.c_str(), prefix.c_str(), 0, name) == 0)
            throw EIoError("Cannot create a temporary file in \"" + folder + "\"");
        return name;
    }

    void CreateFolderChain(const std::string& folder) override {
        std::string part;
        for (std::size_t i = 0; i <= folder.size(); ++i) {
            if (i == folder.size() || folder[i] == '\\') {
                // Skips the drive ("C:") and the empty parts of "\\server\share".
                if (!part.empty() && part.back() != ':' && part.find_first_not_of('\\') != std::string::npos) {
                    const DWORD a = FileAttributesOf(part);
                    if (a == INVALID_FILE_ATTRIBUTES && !CreateDirectoryA(part.c_str(), nullptr) &&
                        GetLastError() != ERROR_ALREADY_EXISTS)
                        throw EIoError("Cannot create folder \"" + part + "\"");
                }
            }
            if (i < folder.size()) part += folder[i];
        }
    }

    // The sink's flush commits through the C runtime, which calls FlushFileBuffers.
    std::unique_ptr<ByteSink> OpenOutput(const std::string& path) override { return std::make_unique<FileSink>(path); }

    std::unique_ptr<ByteSource> OpenRead(const std::string& path) override {
        return std::make_unique<FileSource>(path);
    }

    std::unique_ptr<ByteSource> OpenReadDenyWrite(const std::string& path) override {
        return OpenDenyWriteSource(path);
    }

    bool SetDosDate(const std::string& path, std::uint32_t stamp) override {
        FILETIME local{}, utc{};
        if (!DosDateTimeToFileTime(static_cast<WORD>(stamp >> 16), static_cast<WORD>(stamp & 0xFFFF), &local) ||
            !LocalFileTimeToFileTime(&local, &utc))
            return false;
        HANDLE h = CreateFileA(path.c_str(), FILE_WRITE_ATTRIBUTES, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                               FILE_ATTRIBUTE_NORMAL, nullptr);
        if (h == INVALID_HANDLE_VALUE) return false;
        bool ok = SetFileTime(h, nullptr, nullptr, &utc) != 0;
        CloseHandle(h);
        return ok;
    }

    bool SetAttributes(const std::string& path, std::uint32_t attributes) override {
        // Only the bits a plain file may carry: never folder, volume or device bits.
        DWORD a = attributes & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM |
                                FILE_ATTRIBUTE_ARCHIVE);
        return SetFileAttributesA(path.c_str(), a ? a : FILE_ATTRIBUTE_NORMAL) != 0;
    }

    bool Remove(const std::string& path) override {
        SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
        return DeleteFileA(path.c_str()) != 0;
    }

    FsStatus Erase(const std::string& path) override {
        return DeleteFileA(path.c_str()) ? FsStatus::Ok : StatusFromLastError();
    }

    FsStatus MoveReplace(const std::string& from, const std::string& to) override {
        const DWORD flags = MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH | MOVEFILE_COPY_ALLOWED;
        return MoveFileExA(from.c_str(), to.c_str(), flags) ? FsStatus::Ok : StatusFromLastError();
    }

    // Wide calls: names outside the ANSI code page and paths past MAX_PATH are
    // still reached; the ANSI form is what the catalog stores.
    std::vector<FolderEntry> ListFolder(const std::string& folder) override {
        std::wstring pattern = Widen(WithTrailingSeparator(folder)) + L"*";
        if (pattern.size() >= MAX_PATH - 12 && pattern.size() > 2 && pattern[1] == L':')
            pattern.insert(0, L"\\\\?\\");
        WIN32_FIND_DATAW data{};
        HANDLE h = FindFirstFileW(pattern.c_str(), &data);
        std::vector<FolderEntry> out;
        if (h == INVALID_HANDLE_VALUE) {
            const DWORD code = GetLastError();
            if (code == ERROR_FILE_NOT_FOUND || code == ERROR_NO_MORE_FILES) return out;
            throw EIoError("Cannot list folder \"" + folder + "\"");
        }
        // The local-time conversion uses the current bias whatever the date,
        // so it is taken once per folder: asking for it per time stamp costs
        // a system call each under Wine, a tenth of a large scan.
        const LocalOffset offset = CurrentLocalOffset();
        do {
            if (IsDotEntry(data.cFileName)) continue;
            FolderEntry entry;
            bool lost = false;
            entry.name = NarrowName(data.cFileName, &lost);
            entry.pathName = lost && data.cAlternateFileName[0] ? NarrowName(data.cAlternateFileName, nullptr) : entry.name;
            entry.attributes = data.dwFileAttributes & (0xFF | FILE_ATTRIBUTE_REPARSE_POINT);
            entry.size = (std::uint64_t{data.nFileSizeHigh} << 32) | data.nFileSizeLow;
            entry.created = LocalDosStamp(data.ftCreationTime, offset);
            entry.modified = LocalDosStamp(data.ftLastWriteTime, offset);
            entry.accessed = LocalDosStamp(data.ftLastAccessTime, offset);
            out.push_back(std::move(entry));
        } while (FindNextFileW(h, &data));
        FindClose(h);
        return out;
    }

private:
    static std::wstring Widen(const std::string& text) {
        const int n = MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
        std::wstring out(static_cast<std::size_t>(n), L'\0');
        if (n > 0) MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), out.data(), n);
        return out;
    }

    static std::string Narrow(const std::wstring& text, bool* lost) {
        BOOL usedDefault = FALSE;
        const int n = WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, text.data(), static_cast<int>(text.size()),
                                          nullptr, 0, "?", lost ? &usedDefault : nullptr);
        std::string out(static_cast<std::size_t>(n), '\0');
        if (n > 0)
            WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, text.data(), static_cast<int>(text.size()), out.data(),
                                n, "?", lost ? &usedDefault : nullptr);
        if (lost) *lost = usedDefault != FALSE;
        return out;
    }

    static bool IsDotEntry(const wchar_t* name) {
        return name[0] == L'.' && (name[1] == 0 || (name[1] == L'.' && name[2] == 0));
    }

    // A name of the find data (at most MAX_PATH characters) in one conversion.
    static std::string NarrowName(const wchar_t* name, bool* lost) {
        char buffer[2 * MAX_PATH + 2];
        BOOL usedDefault = FALSE;
        const int n = WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, name, -1, buffer, sizeof(buffer), "?",
                                          lost ? &usedDefault : nullptr);
        if (lost) *lost = usedDefault != FALSE;
        if (n > 0) return std::string(buffer, static_cast<std::size_t>(n - 1));
        return Narrow(name, lost);
    }

    // Local time minus UTC in 100-ns units, or nullopt when the system gives none.
    using LocalOffset = std::optional<std::int64_t>;

    static std::int64_t Ticks(const FILETIME& t) {
        return static_cast<std::int64_t>((std::uint64_t{t.dwHighDateTime} << 32) | t.dwLowDateTime);
    }

    static LocalOffset CurrentLocalOffset() {
        FILETIME utc{}, local{};
        GetSystemTimeAsFileTime(&utc);
        if (!FileTimeToLocalFileTime(&utc, &local)) return std::nullopt;
        return Ticks(local) - Ticks(utc);
    }

    static std::uint32_t LocalDosStamp(const FILETIME& utc, const LocalOffset& offset) {
        FILETIME local{};
        const std::int64_t ticks = Ticks(utc);
        const bool fits = offset && ticks >= 0 &&
                          (*offset >= 0 ? ticks <= std::numeric_limits<std::int64_t>::max() - *offset : ticks >= -*offset);
        if (fits) {
            const auto shifted = static_cast<std::uint64_t>(ticks + *offset);
            local.dwLowDateTime = static_cast<DWORD>(shifted);
            local.dwHighDateTime = static_cast<DWORD>(shifted >> 32);
        } else if (!FileTimeToLocalFileTime(&utc, &local)) {
            return 0;
        }
        WORD date = 0, time = 0;
        if (!FileTimeToDosDateTime(&local, &date, &time)) return 0;
        return (std::uint32_t{date} << 16) | time;
    }

    // The A calls that fill a buffer and return the length they need.
    template <class Fill>
    static std::string Call(Fill fill) {
        std::vector<char> buf(MAX_PATH + 1);
        for (int attempt = 0; attempt < 2; ++attempt) {
            const DWORD n = fill(buf.data(), static_cast<DWORD>(buf.size()));
            if (n == 0)
                return {};
            if (n < buf.size())
                return std::string(buf.data(), n);
            buf.resize(n + 1);
        }
        return {};
    }
};

}  // namespace

std::unique_ptr<IFileSystem> MakeSystemFileSystem() { return std::make_unique<Win32FileSystem>(); }

}  // namespace kv
