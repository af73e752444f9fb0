#pragma once
// What saving asks of the file system, so that it runs against the real one
// (POSIX natively, Win32 in the program) or a fake that injects faults in tests.
#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "base/ByteSink.h"
#include "base/ByteSource.h"

namespace kv {

enum class FsStatus { Ok, AccessDenied, Failed };

class IFileSystem {
public:
    virtual ~IFileSystem() = default;

    // Absolute, normalised (on Windows the long form).
    virtual std::string fullPath(const std::string& path) = 0;
    // Both names reach the same file (on Windows compared without case).
    virtual bool samePath(const std::string& a, const std::string& b) = 0;
    virtual bool exists(const std::string& path) = 0;
    virtual std::optional<std::uint64_t> fileSize(const std::string& path) = 0;
    // Bytes free for the caller on the volume holding `folder`; nullopt when unknown.
    virtual std::optional<std::uint64_t> freeSpace(const std::string& folder) = 0;
    virtual std::string tempFolder() = 0;
    // Makes a new empty file with a unique name in `folder` and returns its path; throws EIoError.
    virtual std::string createTempFile(const std::string& folder, const std::string& prefix) = 0;
    // A file created or emptied for writing; its flush reaches stable storage. Throws EIoError.
    virtual std::unique_ptr<ByteSink> createFile(const std::string& path) = 0;
    // Throws EIoError.
    virtual std::unique_ptr<ByteSource> openRead(const std::string& path) = 0;
    virtual FsStatus erase(const std::string& path) = 0;
    // Moves `from` to `to`, replacing `to` in one step where both lie on one
    // volume; across volumes the bytes are copied and reach stable storage first.
    virtual FsStatus moveReplace(const std::string& from, const std::string& to) = 0;
};

// The system's file system: POSIX natively, Win32 in the program.
std::unique_ptr<IFileSystem> MakeSystemFileSystem();

// "C:\a\b.ctf" gives "C:\a"; a bare name gives "".
std::string FolderOf(const std::string& path);
// Both separators count; a folder without a trailing one gets one.
std::string JoinPath(const std::string& folder, const std::string& name);
// The extension replaced (or added): "a.ctf" with ".BAK" gives "a.BAK".
std::string WithExtension(const std::string& path, const std::string& extension);

}  // namespace kv
