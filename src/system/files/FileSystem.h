#pragma once
// What the program asks of the file system, so that catalog saving and the
// archive components run against the real one or a fake that injects faults in
// tests. Names come in Windows form ('\' separators, ANSI bytes): Windows asks
// the system; native builds map the names onto the host's.
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "base/ByteSink.h"
#include "base/ByteSource.h"
#include "base/Errors.h"

namespace kv {

enum class FsStatus { Ok, AccessDenied, Failed };

// One entry of a folder listing.
struct FolderEntry {
    // ANSI bytes; a character outside the code page reads '?'.
    std::string name;
    // The name to build paths with: the name itself, or its short form when
    // the name lost characters to the code page.
    std::string pathName;
    // Set where only the wide name reaches the entry (a name the code page
    // cannot spell and that has no short form, or anything below such a
    // folder): its whole path as the system spells it. List it with ListWideFolder.
    std::wstring widePath;
    // DOS attribute bits; 0x400 marks a link or junction.
    std::uint32_t attributes = 0;
    std::uint64_t size = 0;
    // Local DOS date-times; 0 when the system's time cannot be converted.
    std::uint32_t created = 0;
    std::uint32_t modified = 0;
    std::uint32_t accessed = 0;
};

// A folder that could not be listed. A device error (not ready, CRC, read
// fault, the network gone) means the medium itself failed; otherwise only this
// folder is out of reach (access denied, removed meanwhile, a name the system
// refuses).
class EListFolderError : public EIoError {
public:
    EListFolderError(const std::string& text, bool deviceError) : EIoError(text), deviceError_(deviceError) {}
    bool deviceError() const { return deviceError_; }

private:
    bool deviceError_;
};

inline constexpr std::uint32_t kAttrReadOnly = 0x01;
inline constexpr std::uint32_t kAttrHidden = 0x02;
inline constexpr std::uint32_t kAttrSystem = 0x04;
inline constexpr std::uint32_t kAttrDirectory = 0x10;
inline constexpr std::uint32_t kAttrArchive = 0x20;
inline constexpr std::uint32_t kAttrReparsePoint = 0x400;

class IFileSystem {
public:
    virtual ~IFileSystem() = default;

    // Absolute, normalised (on Windows the long form).
    virtual std::string FullPath(const std::string& path) = 0;
    // Both names reach the same file (on Windows compared without case).
    virtual bool SamePath(const std::string& a, const std::string& b) = 0;
    // A file (not a folder), by an attribute query: '*' and '?' in a name are plain characters.
    virtual bool Exists(const std::string& path) = 0;
    virtual std::optional<std::uint64_t> FileSize(const std::string& path) = 0;
    // The last-write time as a local DOS stamp, or nullopt when it cannot be read.
    virtual std::optional<std::uint32_t> FileDosDate(const std::string& path) = 0;
    // DOS attribute bits (0x20 when the system gives none).
    virtual std::uint32_t FileAttributes(const std::string& path) = 0;
    // Bytes free for the caller on the volume holding `folder`; nullopt when unknown.
    virtual std::optional<std::uint64_t> FreeSpace(const std::string& folder) = 0;
    virtual std::string TempFolder() = 0;
    // Makes a new empty file with a unique name in `folder` and returns its path; throws EIoError.
    virtual std::string CreateTempFile(const std::string& folder, const std::string& prefix) = 0;
    // Creates the folder and its missing parents; throws EIoError.
    virtual void CreateFolderChain(const std::string& folder) = 0;
    // A file created or emptied for writing; its flush reaches stable storage. Throws EIoError.
    virtual std::unique_ptr<ByteSink> OpenOutput(const std::string& path) = 0;
    // Throws EIoError when the file cannot be opened.
    virtual std::unique_ptr<ByteSource> OpenRead(const std::string& path) = 0;
    // The same, but while the source lives others may read the file and not write it
    // (an open catalog: a save copies its unchanged parts from it). Where the system
    // has no share modes, a plain OpenRead.
    virtual std::unique_ptr<ByteSource> OpenReadDenyWrite(const std::string& path) { return OpenRead(path); }
    virtual bool SetDosDate(const std::string& path, std::uint32_t stamp) = 0;
    virtual bool SetAttributes(const std::string& path, std::uint32_t attributes) = 0;
    // Deletes the file; a read-only one is refused (AccessDenied), so saving asks the user.
    virtual FsStatus Erase(const std::string& path) = 0;
    // Deletes a file the program wrote itself, read-only or not.
    virtual bool Remove(const std::string& path) = 0;
    // Moves `from` to `to`, replacing `to` in one step where both lie on one
    // volume; across volumes the bytes are copied and reach stable storage first.
    virtual FsStatus MoveReplace(const std::string& from, const std::string& to) = 0;
    // The entries of a folder, "." and ".." left out, in the system's order.
    // Throws EListFolderError when the folder cannot be read.
    virtual std::vector<FolderEntry> ListFolder(const std::string& folder);
    // The same for a folder of an entry's widePath; `shown` names it in messages.
    virtual std::vector<FolderEntry> ListWideFolder(const std::string& shown, const std::wstring& path);
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
