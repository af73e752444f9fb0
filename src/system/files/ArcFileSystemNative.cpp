#include <fcntl.h>
#include <sys/stat.h>

#include <algorithm>
#include <ctime>
#include <filesystem>

#include "system/files/ArcFileSystem.h"

#include "base/DosDateTime.h"
#include "base/Errors.h"

namespace kv::arc {

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

class NativeFileSystem final : public IArcFileSystem {
public:
    bool Exists(const std::string& path) override {
        std::error_code ec;
        return fs::is_regular_file(hostName(path), ec);
    }

    std::unique_ptr<ByteSource> OpenRead(const std::string& path) override {
        return std::make_unique<FileSource>(hostName(path));
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
        auto p = fs::status(hostName(path), ec).permissions();
        if (ec) return 0x20;
        return (p & fs::perms::owner_write) == fs::perms::none ? 0x21u : 0x20u;
    }

    void CreateFolderChain(const std::string& folder) override {
        std::error_code ec;
        fs::create_directories(hostName(folder), ec);
        if (ec) throw EIoError("Cannot create folder \"" + folder + "\": " + ec.message());
    }

    std::unique_ptr<ByteSink> OpenOutput(const std::string& path) override {
        return std::make_unique<FileSink>(hostName(path));
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

    std::optional<std::uint64_t> FreeSpace(const std::string& folder) override {
        std::error_code ec;
        auto s = fs::space(hostName(folder), ec);
        if (ec) return std::nullopt;
        return s.available;
    }
};

}  // namespace

std::unique_ptr<IArcFileSystem> MakeSystemFileSystem() { return std::make_unique<NativeFileSystem>(); }

}  // namespace kv::arc
