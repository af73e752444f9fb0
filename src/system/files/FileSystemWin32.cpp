#include <windows.h>

#include <vector>

#include "base/text/AnsiCase.h"
#include "base/Errors.h"
#include "system/files/FileSystem.h"

namespace kv {

namespace {

FsStatus StatusFromLastError() {
    const DWORD code = GetLastError();
    return code == ERROR_ACCESS_DENIED || code == ERROR_SHARING_VIOLATION ? FsStatus::AccessDenied
                                                                           : FsStatus::Failed;
}

std::string WithTrailingSeparator(std::string folder) {
    if (!folder.empty() && folder.back() != '\\' && folder.back() != '/')
        folder += '\\';
    return folder;
}

class Win32FileSystem final : public IFileSystem {
public:
    std::string fullPath(const std::string& path) override {
        std::string full = Call([&](char* buf, DWORD size) { return GetFullPathNameA(path.c_str(), size, buf, nullptr); });
        if (full.empty())
            return path;
        std::string longName = Call([&](char* buf, DWORD size) { return GetLongPathNameA(full.c_str(), buf, size); });
        return longName.empty() ? full : longName;
    }

    bool samePath(const std::string& a, const std::string& b) override {
        const CaseMap& map = systemCaseMap();
        return upperCase(fullPath(a), map) == upperCase(fullPath(b), map);
    }

    bool exists(const std::string& path) override {
        return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
    }

    std::optional<std::uint64_t> fileSize(const std::string& path) override {
        WIN32_FILE_ATTRIBUTE_DATA data;
        if (!GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data))
            return std::nullopt;
        return (std::uint64_t{data.nFileSizeHigh} << 32) | data.nFileSizeLow;
    }

    std::optional<std::uint64_t> freeSpace(const std::string& folder) override {
        // The folder itself, not its drive letter: UNC paths and mounted folders answer too.
        ULARGE_INTEGER available;
        if (!GetDiskFreeSpaceExA(WithTrailingSeparator(folder).c_str(), &available, nullptr, nullptr))
            return std::nullopt;
        return available.QuadPart;
    }

    std::string tempFolder() override {
        return Call([](char* buf, DWORD size) { return GetTempPathA(size, buf); });
    }

    std::string createTempFile(const std::string& folder, const std::string& prefix) override {
        char name[MAX_PATH + 1] = {};
        if (GetTempFileNameA(folder.c_str(), prefix.c_str(), 0, name) == 0)
            throw EIoError("Cannot create a temporary file in \"" + folder + "\"");
        return name;
    }

    // The sink's flush commits through the C runtime, which calls FlushFileBuffers.
    std::unique_ptr<ByteSink> createFile(const std::string& path) override { return std::make_unique<FileSink>(path); }

    std::unique_ptr<ByteSource> openRead(const std::string& path) override {
        return std::make_unique<FileSource>(path);
    }

    FsStatus erase(const std::string& path) override {
        return DeleteFileA(path.c_str()) ? FsStatus::Ok : StatusFromLastError();
    }

    FsStatus moveReplace(const std::string& from, const std::string& to) override {
        const DWORD flags = MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH | MOVEFILE_COPY_ALLOWED;
        return MoveFileExA(from.c_str(), to.c_str(), flags) ? FsStatus::Ok : StatusFromLastError();
    }

private:
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
