#ifndef _FILE_OFFSET_BITS
#define _FILE_OFFSET_BITS 64  // 64-bit off_t for fseeko/ftello on 32-bit glibc
#endif
#include "base/FileIo.h"

#include <cerrno>
#include <cstring>

#ifdef _WIN32
#include <io.h>
#else
#include <sys/types.h>
#include <unistd.h>
#endif

namespace kv::fileio {

bool seek(std::FILE* f, std::int64_t offset, int origin) {
#ifdef _WIN32
    return _fseeki64(f, offset, origin) == 0;
#else
    return fseeko(f, static_cast<off_t>(offset), origin) == 0;
#endif
}

std::int64_t tell(std::FILE* f) {
#ifdef _WIN32
    return _ftelli64(f);
#else
    return static_cast<std::int64_t>(ftello(f));
#endif
}

bool commit(std::FILE* f) {
#ifdef _WIN32
    return _commit(_fileno(f)) == 0;
#else
    if (fsync(fileno(f)) == 0) return true;
    // Pipes and devices have no stable storage to reach; that is no failure.
    return errno == EINVAL || errno == ENOTSUP;
#endif
}

std::string failure(const char* what, const std::string& path) {
    int code = errno;
    std::string text = std::string(what) + " \"" + path + "\"";
    if (code != 0) text += std::string(": ") + std::strerror(code);
    return text;
}

}  // namespace kv::fileio
