#include <fcntl.h>
#include <sys/stat.h>

#include <algorithm>
#include <cerrno>
#include <ctime>
#include <filesystem>
#include <system_error>
#include <vector>

#include <cstdio>
#include <stdlib.h>
#include <unistd.h>

#include "base/DosDateTime.h"
#include "base/Errors.h"
#include "system/files/FileSystem.h"

namespace kv {

namespace {

namespace fs = std::filesystem;

char asciiLower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c + 32) : c; }

// Windows names are not case-sensitive: a file whose name differs only in case
// from the one asked for is taken for it.
std::string hostName(std::string path) {
    for (char& c : path)
        if (c == '\\') c = '/';
    std::error_code ec;
    fs::path p(path);
    if (fs::exists(p, ec) || !p.has_parent_path()) return path;
    std::string want = p.filename().string();
    for (const auto& entry : fs::directory_iterator(p.parent_path(), ec)) {
        std::string have = entry.path().filename().string();
        if (have.size() == want.size() &&
            std::equal(have.begin(), have.end(), want.begin(), [](char a, char b) { return asciiLower(a) == asciiLower(b); }))
            return entry.path().string();
    }
    return path;
}

FsStatus StatusFromErrno(int code) {
    return code == EACCES || code == EPERM || code == EBUSY ? FsStatus::AccessDenied : FsStatus::Failed;
}

class PosixFileSystem final : public IFileSystem {
public:
    std::string FullPath(const std::string& path) override {
        std::error_code ec;
        fs::path p = fs::weakly_canonical(fs::absolute(path, ec), ec);
        return ec ? fs::absolute(path).lexically_normal().string() : p.string();
    }

    bool SamePath(const std::string& a, const std::string& b) override {
        // The names as Windows would find them: a name in another case reaches the file.
        const std::string first = hostName(a), second = hostName(b);
        std::error_code ec;
        if (fs::equivalent(first, second, ec))
            return true;
        return FullPath(first) == FullPath(second);
    }

    bool Exists(const std::string& path) override {
        std::error_code ec;
        return fs::is_regular_file(hostName(path), ec);
    }

    std::optional<std::uint64_t> FileSize(const std::string& path) override {
        std::error_code ec;
        const std::uintmax_t size = fs::file_size(hostName(path), ec);
        if (ec)
            return std::nullopt;
        return size;
    }

    std::optional<std::uint32_t> FileDosDate(const std::string& path) override {
        struct stat st{};
        if (stat(hostName(path).c_str(), &st) != 0) return std::nullopt;
        std::tm t{};
        if (!localtime_r(&st.st_mtime, &t)) return std::nullopt;
        return encodeDosDateTime(DateTime{t.tm_year + 1900, t.tm_mon + 1, t.tm_mday, t.tm_hour, t.tm_min, t.tm_sec});
    }

    std::uint32_t FileAttributes(const std::string& path) override {
        std::error_code ec;
        const fs::file_status st = fs::status(hostName(path), ec);
        if (ec || !fs::exists(st)) return 0x20;
        // Folders carry the folder bit, as the system's attributes do on Windows.
        const std::uint32_t kind = fs::is_directory(st) ? 0x10u : 0x20u;
        return (st.permissions() & fs::perms::owner_write) == fs::perms::none ? kind | 0x01u : kind;
    }

    std::optional<std::uint64_t> FreeSpace(const std::string& folder) override {
        std::error_code ec;
        const fs::space_info info = fs::space(folder.empty() ? "." : hostName(folder), ec);
        if (ec)
            return std::nullopt;
        return info.available;
    }

    std::string TempFolder() override {
        std::error_code ec;
        fs::path p = fs::temp_directory_path(ec);
        return ec ? std::string("/tmp") : p.string();
    }

    std::string CreateTempFile(const std::string& folder, const std::string& prefix) override {
        std::string pattern = JoinPath(hostName(folder), prefix + "XXXXXX");
        const int fd = mkstemp(pattern.data());
        if (fd < 0)
            throw EIoError("Cannot create a temporary file in \"" + folder + "\"");
        close(fd);
        return pattern;
    }

    void CreateFolderChain(const std::string& folder) override {
        std::error_code ec;
        fs::create_directories(hostName(folder), ec);
        if (ec) throw EIoError("Cannot create folder \"" + folder + "\": " + ec.message());
    }

    std::unique_ptr<ByteSink> OpenOutput(const std::string& path) override {
        return std::make_unique<FileSink>(hostName(path));
    }

    std::unique_ptr<ByteSource> OpenRead(const std::string& path) override {
        return std::make_unique<FileSource>(hostName(path));
    }

    bool SetDosDate(const std::string& path, std::uint32_t stamp) override {
        auto d = decodeDosDateTime(stamp);
        if (!d) return false;
        std::tm t{};
        t.tm_year = d->year - 1900;
        t.tm_mon = d->month - 1;
        t.tm_mday = d->day;
        t.tm_hour = d->hour;
        t.tm_min = d->minute;
        t.tm_sec = d->second;
        t.tm_isdst = -1;
        std::time_t when = std::mktime(&t);
        struct timespec times[2] = {{when, 0}, {when, 0}};
        return utimensat(AT_FDCWD, hostName(path).c_str(), times, 0) == 0;
    }

    bool SetAttributes(const std::string& path, std::uint32_t attributes) override {
        std::error_code ec;
        auto write = fs::perms::owner_write;
        fs::permissions(hostName(path), write, (attributes & 1) ? fs::perm_options::remove : fs::perm_options::add,
                        ec);
        return !ec;
    }

    bool Remove(const std::string& path) override {
        std::error_code ec;
        return fs::remove(hostName(path), ec);
    }

    FsStatus Erase(const std::string& path) override {
        return std::remove(hostName(path).c_str()) == 0 ? FsStatus::Ok : StatusFromErrno(errno);
    }

    FsStatus MoveReplace(const std::string& fromPath, const std::string& toPath) override {
        const std::string from = hostName(fromPath), to = hostName(toPath);
        if (std::rename(from.c_str(), to.c_str()) == 0)
            return FsStatus::Ok;
        if (errno != EXDEV)
            return StatusFromErrno(errno);
        return copyAcross(from, to);
    }

    std::vector<FolderEntry> ListFolder(const std::string& folder) override {
        std::vector<FolderEntry> out;
        std::error_code ec;
        fs::directory_iterator it(hostName(folder), ec);
        if (ec) throw ListError(folder, ec);
        for (; it != fs::directory_iterator(); it.increment(ec)) {
            if (ec) break;
            const fs::directory_entry& e = *it;
            FolderEntry entry;
            entry.name = e.path().filename().string();
            entry.pathName = entry.name;
            struct stat st{};
            if (lstat(e.path().c_str(), &st) != 0) continue;
            const bool link = S_ISLNK(st.st_mode);
            if (link) {
                struct stat target{};
                if (stat(e.path().c_str(), &target) == 0) st = target;
            }
            std::uint32_t attr = S_ISDIR(st.st_mode) ? kAttrDirectory : kAttrArchive;
            if (link) attr |= kAttrReparsePoint;
            if (!entry.name.empty() && entry.name.front() == '.') attr |= kAttrHidden;
            if ((st.st_mode & S_IWUSR) == 0) attr |= kAttrReadOnly;
            entry.attributes = attr;
            entry.size = S_ISDIR(st.st_mode) ? 0 : static_cast<std::uint64_t>(st.st_size);
            entry.modified = LocalDosStamp(st.st_mtime);
            entry.accessed = LocalDosStamp(st.st_atime);
            // No creation time here: the last write stands for it, as Wine reports.
            entry.created = entry.modified;
            out.push_back(std::move(entry));
        }
        // A listing cut short is not passed off as the folder's whole contents.
        if (ec) throw ListError(folder, ec);
        return out;
    }

private:
    static EListFolderError ListError(const std::string& folder, const std::error_code& ec) {
        // The medium itself failed, not just this folder.
        const int code = ec.value();
        const bool device = code == EIO || code == ENXIO || code == ENODEV || code == ENOMEDIUM ||
                            code == EMEDIUMTYPE || code == ESTALE || code == ENOTCONN || code == EHOSTDOWN;
        return EListFolderError("Cannot list folder \"" + folder + "\": " + ec.message(), device);
    }

    static std::uint32_t LocalDosStamp(std::time_t when) {
        std::tm t{};
        if (!localtime_r(&when, &t) || t.tm_year + 1900 < 1980 || t.tm_year + 1900 > 2107) return 0;
        return encodeDosDateTime(DateTime{t.tm_year + 1900, t.tm_mon + 1, t.tm_mday, t.tm_hour, t.tm_min, t.tm_sec});
    }

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
