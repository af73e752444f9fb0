#ifndef _FILE_OFFSET_BITS
#define _FILE_OFFSET_BITS 64  // 64-bit off_t for fseeko/ftello on 32-bit glibc
#endif
#include "base/ByteSink.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <limits>
#include <stdexcept>

#include "base/Errors.h"
#include "base/FileIo.h"

namespace kv {

namespace {

// Patches may only overwrite bytes that exist; anything else is a caller's fault.
void checkPatchRange(std::uint64_t pos, std::size_t n, std::uint64_t size) {
    if (pos > size || n > size - pos) throw std::out_of_range("patch past the end of the written bytes");
}

}  // namespace

void MemorySink::write(const void* data, std::size_t n) {
    const auto* p = static_cast<const std::uint8_t*>(data);
    bytes_.insert(bytes_.end(), p, p + n);
}

void MemorySink::writeAt(std::uint64_t pos, const void* data, std::size_t n) {
    checkPatchRange(pos, n, bytes_.size());
    if (n > 0) std::memcpy(bytes_.data() + pos, data, n);
}

FileSink::FileSink(const std::string& path) : path_(path) {
    errno = 0;
    std::FILE* f = std::fopen(path.c_str(), "wb");
    if (!f) throw EIoError(fileio::failure("Cannot create file", path));
    file_ = f;
}

FileSink::~FileSink() {
    if (file_) std::fclose(static_cast<std::FILE*>(file_));
}

std::FILE* FileSink::openFile() const {
    if (!file_) throw std::logic_error("write to a closed file: " + path_);
    return static_cast<std::FILE*>(file_);
}

void FileSink::put(std::uint64_t pos, const void* data, std::size_t n) {
    std::FILE* f = openFile();
    if (pos != at_) {
        errno = 0;
        if (pos > static_cast<std::uint64_t>(std::numeric_limits<std::int64_t>::max()) ||
            !fileio::seek(f, static_cast<std::int64_t>(pos), SEEK_SET)) {
            at_ = kUnknownPosition;
            throw EIoError(fileio::failure("Cannot write file", path_));
        }
        at_ = pos;
    }
    errno = 0;
    if (std::fwrite(data, 1, n, f) != n) {
        at_ = kUnknownPosition;
        throw EIoError(fileio::failure("Cannot write file", path_));
    }
    at_ = pos + n;
}

void FileSink::write(const void* data, std::size_t n) {
    if (n == 0) return;
    put(size_, data, n);
    size_ += n;
}

void FileSink::writeAt(std::uint64_t pos, const void* data, std::size_t n) {
    checkPatchRange(pos, n, size_);
    if (n == 0) return;
    put(pos, data, n);
}

void FileSink::flush() {
    std::FILE* f = openFile();
    errno = 0;
    if (std::fflush(f) != 0 || !fileio::commit(f)) throw EIoError(fileio::failure("Cannot write file", path_));
}

void FileSink::close() {
    if (!file_) return;
    auto* f = static_cast<std::FILE*>(file_);
    std::string failure;
    errno = 0;
    if (std::fflush(f) != 0 || !fileio::commit(f)) failure = fileio::failure("Cannot write file", path_);
    file_ = nullptr;
    errno = 0;
    if (std::fclose(f) != 0 && failure.empty()) failure = fileio::failure("Cannot close file", path_);
    if (!failure.empty()) throw EIoError(failure);
}

}  // namespace kv
