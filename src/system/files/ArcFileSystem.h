#pragma once
// What the archive components ask of the file system, with names in Windows form
// ('\' separators, ANSI bytes). Windows asks the system; native builds map the
// names onto the host's; tests may substitute their own.
#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "base/ByteSink.h"
#include "base/ByteSource.h"

namespace kv::arc {

class IArcFileSystem {
public:
    virtual ~IArcFileSystem() = default;
    // By an attribute query: '*' and '?' in a name are plain characters.
    virtual bool Exists(const std::string& path) = 0;
    // Throws EIoError when the file cannot be opened.
    virtual std::unique_ptr<ByteSource> OpenRead(const std::string& path) = 0;
    // The last-write time as a local DOS stamp, or nullopt when it cannot be read.
    virtual std::optional<std::uint32_t> FileDosDate(const std::string& path) = 0;
    // DOS attribute bits (0x20 when the system gives none).
    virtual std::uint32_t FileAttributes(const std::string& path) = 0;
    // Creates the folder and its missing parents; throws EIoError.
    virtual void CreateFolderChain(const std::string& folder) = 0;
    // Creates (or empties) a file for writing; throws EIoError.
    virtual std::unique_ptr<ByteSink> OpenOutput(const std::string& path) = 0;
    virtual bool SetDosDate(const std::string& path, std::uint32_t stamp) = 0;
    virtual bool SetAttributes(const std::string& path, std::uint32_t attributes) = 0;
    virtual bool Remove(const std::string& path) = 0;
    virtual std::optional<std::uint64_t> FreeSpace(const std::string& folder) = 0;
};

// The file system of the machine the program runs on.
std::unique_ptr<IArcFileSystem> MakeSystemFileSystem();

}  // namespace kv::arc
