#include <cerrno>
#include <filesystem>
#include <system_error>
#include <vector>

#include <cstdio>
#include <stdlib.h>
#include <unistd.h>

#include "base/Errors.h"
#include "system/files/FileSystem.h"

namespace kv {

namespace {

namespace fs = std::filesystem;

FsStatus StatusFromErrno(int code) {
    return code == EACCES || code == EPERM || code == EBUSY ? FsStatus::AccessDenied : FsStatus::Failed;
}

class PosixFileSystem final : public IFileSystem {
public:
    std::string fullPath(const std::string& path) override {
        std::error_code ec;
        fs::path p = fs::weakly_canonical(fs::absolute(path, ec), ec);
        return ec ? fs::absolute(path).lexically_normal().string() : p.string();
    }

    bool samePath(const std::string& a, const std::string& b) override {
        std::error_code ec;
        if (fs::equivalent(a, b, ec))
            return true;
        return fullPath(a) == fullPath(b);
    }

    bool exists(const std::string& path) override {
        std::error_code ec;
        return fs::exists(path, ec);
    }

    std::optional<std::uint64_t> fileSize(const std::string& path) override {
        std::error_code ec;
        const std::uintmax_t size = fs::file_size(path, ec);
        if (ec)
            return std::nullopt;
        return size;
    }

    std::optional<std::uint64_t> freeSpace(const std::string& folder) override {
        std::error_code ec;
        const fs::space_info info = fs::space(folder.empty() ? "." : folder, ec);
        if (ec)
            return std::nullopt;
        return info.available;
    }

    std::string tempFolder() override {
        std::error_code ec;
        fs::path p = fs::temp_directory_path(ec);
        return ec ? std::string("/tmp") : p.string();
    }

    std::string createTempFile(const std::string& folder, const std::string& prefix) override {
        std::string pattern = JoinPath(folder, prefix + "XXXXXX");
        const int fd = mkstemp(pattern.data());
        if (fd < 0)
            throw EIoError("Cannot create a temporary file in \"" + folder + "\"");
        close(fd);
        return pattern;
    }

    std::unique_ptr<ByteSink> createFile(const std::string& path) override { return std::make_unique<FileSink>(path); }

    std::unique_ptr<ByteSource> openRead(const std::string& path) override {
        return std::make_unique<FileSource>(path);
    }

    FsStatus erase(const std::string& path) override {
        return std::remove(path.c_str()) == 0 ? FsStatus::Ok : StatusFromErrno(errno);
    }

    FsStatus moveReplace(const std::string& from, const std::string& to) override {
        if (std::rename(from.c_str(), to.c_str()) == 0)
            return FsStatus::Ok;
        if (errno != EXDEV)
            return StatusFromErrno(errno);
        return copyAcross(from, to);
    }

private:
    // Across volumes: a copy next to the target that reaches the disk, then one rename.
    FsStatus copyAcross(const std::string& from, const std::string& to) {
        const std::string part = to + ".part";
        try {
            FileSource source(from);
            {
                FileSink sink(part);
                std::vector<std::uint8_t> chunk(1 << 18);
                for (std::uint64_t at = 0;;) {
                    const std::size_t got = source.readAt(at, chunk.data(), chunk.size());
                    if (got == 0)
                        break;
                    sink.write(chunk.data(), got);
                    at += got;
                }
                sink.close();
            }
            if (std::rename(part.c_str(), to.c_str()) != 0) {
                const FsStatus status = StatusFromErrno(errno);
                std::remove(part.c_str());
                return status;
            }
        } catch (const Error&) {
            std::remove(part.c_str());
            return FsStatus::Failed;
        }
        std::remove(from.c_str());
        return FsStatus::Ok;
    }
};

}  // namespace

std::unique_ptr<IFileSystem> MakeSystemFileSystem() { return std::make_unique<PosixFileSystem>(); }

}  // namespace kv
