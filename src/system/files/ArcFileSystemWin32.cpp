#include <windows.h>

#include "system/files/ArcFileSystem.h"

#include "base/Errors.h"

namespace kv::arc {

namespace {

class Win32FileSystem final : public IArcFileSystem {
public:
    bool Exists(const std::string& path) override {
        DWORD a = GetFileAttributesA(path.c_str());
        return a != INVALID_FILE_ATTRIBUTES && !(a & FILE_ATTRIBUTE_DIRECTORY);
    }

    std::unique_ptr<ByteSource> OpenRead(const std::string& path) override {
        return std::make_unique<FileSource>(path);
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
        DWORD a = GetFileAttributesA(path.c_str());
        return a == INVALID_FILE_ATTRIBUTES ? 0x20u : static_cast<std::uint32_t>(a & 0xFF);
    }

    void CreateFolderChain(const std::string& folder) override {
        std::string part;
        for (std::size_t i = 0; i <= folder.size(); ++i) {
            if (i == folder.size() || folder[i] == '\\') {
                // Skips the drive ("C:") and the empty parts of "\\server\share".
                if (!part.empty() && part.back() != ':' && part.find_first_not_of('\\') != std::string::npos) {
                    DWORD a = GetFileAttributesA(part.c_str());
                    if (a == INVALID_FILE_ATTRIBUTES && !CreateDirectoryA(part.c_str(), nullptr) &&
                        GetLastError() != ERROR_ALREADY_EXISTS)
                        throw EIoError("Cannot create folder \"" + part + "\"");
                }
            }
            if (i < folder.size()) part += folder[i];
        }
    }

    std::unique_ptr<ByteSink> OpenOutput(const std::string& path) override {
        return std::make_unique<FileSink>(path);
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

    std::optional<std::uint64_t> FreeSpace(const std::string& folder) override {
        ULARGE_INTEGER avail{};
        if (!GetDiskFreeSpaceExA(folder.c_str(), &avail, nullptr, nullptr)) return std::nullopt;
        return avail.QuadPart;
    }
};

}  // namespace

std::unique_ptr<IArcFileSystem> MakeSystemFileSystem() { return std::make_unique<Win32FileSystem>(); }

}  // namespace kv::arc
