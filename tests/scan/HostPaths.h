#pragma once
// The engine builds Windows paths ("root\sub\file"); natively every call of the
// file system gets them with the host's separators.
#include <algorithm>
#include <stdexcept>
#include <string>

#include "tests/support/FaultyFileSystem.h"

namespace kv::test {

inline std::string Host(std::string path) {
    std::replace(path.begin(), path.end(), '\\', '/');
    return path;
}

class HostPathFileSystem : public FaultyFileSystem {
public:
    using FaultyFileSystem::FaultyFileSystem;
    bool Exists(const std::string& p) override { return FaultyFileSystem::Exists(Host(p)); }
    std::optional<std::uint64_t> FileSize(const std::string& p) override { return FaultyFileSystem::FileSize(Host(p)); }
    std::optional<std::uint32_t> FileDosDate(const std::string& p) override {
        return FaultyFileSystem::FileDosDate(Host(p));
    }
    std::vector<FolderEntry> ListFolder(const std::string& f) override {
        if (failList && f.find(*failList) != std::string::npos)
            throw EListFolderError("Cannot list folder \"" + f + "\": read fault", true);
        if (denyList && f.ends_with(*denyList))
            throw EListFolderError("Cannot list folder \"" + f + "\": access denied", false);
        return FaultyFileSystem::ListFolder(Host(f));
    }
    // Listing a folder whose path holds this text fails, as a damaged medium would.
    std::optional<std::string> failList;
    // Listing a folder whose path ends in this text is refused, as a folder
    // without access is (tests may run as root, whom no folder refuses).
    std::optional<std::string> denyList;
    // Opening a file whose path ends in this text fails with an error that is no kv::Error.
    std::optional<std::string> strangeOpen;
    std::uint32_t FileAttributes(const std::string& p) override { return FaultyFileSystem::FileAttributes(Host(p)); }
    std::string CreateTempFile(const std::string& f, const std::string& prefix) override {
        return FaultyFileSystem::CreateTempFile(Host(f), prefix);
    }
    std::unique_ptr<ByteSink> OpenOutput(const std::string& p) override { return FaultyFileSystem::OpenOutput(Host(p)); }
    std::unique_ptr<ByteSource> OpenRead(const std::string& p) override {
        if (strangeOpen && p.ends_with(*strangeOpen)) throw std::runtime_error("unexpected failure");
        return FaultyFileSystem::OpenRead(Host(p));
    }
    bool SetAttributes(const std::string& p, std::uint32_t a) override {
        return FaultyFileSystem::SetAttributes(Host(p), a);
    }
    FsStatus Erase(const std::string& p) override { return FaultyFileSystem::Erase(Host(p)); }
    bool Remove(const std::string& p) override { return FaultyFileSystem::Remove(Host(p)); }
    FsStatus MoveReplace(const std::string& from, const std::string& to) override {
        return FaultyFileSystem::MoveReplace(Host(from), Host(to));
    }
};

}  // namespace kv::test
