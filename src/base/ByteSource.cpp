#ifndef _FILE_OFFSET_BITS
#define _FILE_OFFSET_BITS 64  // 64-bit off_t for fseeko/ftello on 32-bit glibc
#endif
#include "base/ByteSource.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <limits>

#include "base/Errors.h"
#include "base/FileIo.h"

namespace kv {

void ByteSource::readExactly(std::uint64_t pos, void* out, std::size_t n) {
    if (readAt(pos, out, n) != n) throw ETruncated("data ends before its announced length");
}

std::size_t MemorySource::readAt(std::uint64_t pos, void* out, std::size_t n) {
    if (pos >= bytes_.size()) return 0;
    std::size_t count = std::min<std::size_t>(n, bytes_.size() - static_cast<std::size_t>(pos));
    if (count > 0) std::memcpy(out, bytes_.data() + pos, count);
    return count;
}

FileSource::FileSource(const std::string& path) : path_(path) {
    std::FILE* f = std::fopen(path.c_str(), "rb");
    if (!f) throw EIoError(fileio::failure("Cannot open file", path));
    file_ = f;
    if (!fileio::seek(f, 0, SEEK_END)) {
        std::string message = fileio::failure("Cannot read file", path);
        std::fclose(f);
        throw EIoError(message);
    }
    std::int64_t end = fileio::tell(f);
    if (end < 0) {
        std::string message = fileio::failure("Cannot read file", path);
        std::fclose(f);
        throw EIoError(message);
    }
    size_ = static_cast<std::uint64_t>(end);
    at_ = size_;
}

FileSource::~FileSource() {
    std::fclose(static_cast<std::FILE*>(file_));
}

std::uint64_t FileSource::size() { return size_; }

std::size_t FileSource::readAt(std::uint64_t pos, void* out, std::size_t n) {
    auto* f = static_cast<std::FILE*>(file_);
    if (n == 0) return 0;
    if (pos > static_cast<std::uint64_t>(std::numeric_limits<std::int64_t>::max())) return 0;
    if (pos != at_) {
        if (!fileio::seek(f, static_cast<std::int64_t>(pos), SEEK_SET)) {
            at_ = kUnknownPosition;
            throw EIoError(fileio::failure("Cannot read file", path_));
        }
        at_ = pos;
    }
    errno = 0;
    std::size_t got = std::fread(out, 1, n, f);
    at_ += got;
    if (got < n && std::ferror(f)) {
        std::clearerr(f);
        at_ = kUnknownPosition;
        throw EIoError(fileio::failure("Cannot read file", path_));
    }
    if (got < n) std::clearerr(f);
    return got;
}

std::vector<std::uint8_t> readWholeFile(const std::string& path) {
    FileSource source(path);
    std::uint64_t size = source.size();
    if (size > std::numeric_limits<std::size_t>::max() / 2)
        throw EIoError("File too large to be read into memory: " + path);
    std::vector<std::uint8_t> bytes(static_cast<std::size_t>(size));
    bytes.resize(source.readAt(0, bytes.data(), bytes.size()));
    return bytes;
}

}  // namespace kv
