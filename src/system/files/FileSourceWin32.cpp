#include "system/files/FileSourceWin32.h"

#include <windows.h>

#include <algorithm>

#include "base/Errors.h"

namespace kv {

namespace {

std::string Failure(const char* what, const std::string& path) {
    return std::string(what) + " \"" + path + "\" (error " + std::to_string(GetLastError()) + ")";
}

class HandleSource final : public ByteSource {
public:
    HandleSource(HANDLE handle, std::string path) : handle_(handle), path_(std::move(path)) {}
    ~HandleSource() override { CloseHandle(handle_); }
    HandleSource(const HandleSource&) = delete;
    HandleSource& operator=(const HandleSource&) = delete;

    std::uint64_t size() override {
        LARGE_INTEGER size{};
        if (!GetFileSizeEx(handle_, &size)) throw EIoError(Failure("Cannot read file", path_));
        return static_cast<std::uint64_t>(size.QuadPart);
    }

    std::size_t readAt(std::uint64_t pos, void* out, std::size_t n) override {
        if (n == 0 || pos > static_cast<std::uint64_t>(INT64_MAX)) return 0;
        LARGE_INTEGER at{};
        at.QuadPart = static_cast<LONGLONG>(pos);
        if (!SetFilePointerEx(handle_, at, nullptr, FILE_BEGIN)) throw EIoError(Failure("Cannot read file", path_));
        auto* dest = static_cast<char*>(out);
        std::size_t done = 0;
        while (done < n) {
            const DWORD want = static_cast<DWORD>(std::min<std::size_t>(n - done, 1u << 30));
            DWORD got = 0;
            if (!ReadFile(handle_, dest + done, want, &got, nullptr)) throw EIoError(Failure("Cannot read file", path_));
            if (got == 0) break;
            done += got;
        }
        return done;
    }

private:
    HANDLE handle_;
    std::string path_;
};

}  // namespace

std::unique_ptr<ByteSource> OpenDenyWriteSource(const std::string& path) {
    HANDLE h = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                           FILE_ATTRIBUTE_NORMAL,
                           nullptr);
    if (h == INVALID_HANDLE_VALUE) throw EIoError(Failure("Cannot open file", path));
    return std::make_unique<HandleSource>(h, path);
}

}  // namespace kv
