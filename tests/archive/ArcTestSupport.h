#pragma once
// Test doubles for the archive library's platform seams, and byte-building helpers.
#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "system/files/ArcFileSystem.h"
#include "archive/ArchiveContext.h"
#include "system/files/ResourceStrings.h"

namespace kv::arc::test {

using Bytes = std::vector<std::uint8_t>;

// Files held in memory, by their Windows names.
class MemoryFileSystem final : public IArcFileSystem {
public:
    std::map<std::string, Bytes> files;
    std::uint32_t dosDate = 0x52D48C00;  // 2021-06-20 17:32:00

    bool Exists(const std::string& path) override { return files.count(path) != 0; }
    std::unique_ptr<ByteSource> OpenRead(const std::string& path) override;
    std::optional<std::uint32_t> FileDosDate(const std::string& path) override {
        if (!Exists(path)) return std::nullopt;
        return dosDate;
    }
    std::uint32_t FileAttributes(const std::string&) override { return 0x20; }
    void CreateFolderChain(const std::string&) override {}
    std::unique_ptr<ByteSink> OpenOutput(const std::string&) override;
    bool SetDosDate(const std::string&, std::uint32_t) override { return true; }
    bool SetAttributes(const std::string&, std::uint32_t) override { return true; }
    bool Remove(const std::string& path) override { return files.erase(path) != 0; }
    std::optional<std::uint64_t> FreeSpace(const std::string&) override { return 1u << 30; }
};

// Passes every call on to the file system it owns; a test overrides the calls it
// watches or changes.
class ForwardingFileSystem : public IArcFileSystem {
public:
    explicit ForwardingFileSystem(std::unique_ptr<IArcFileSystem> inner) : inner_(std::move(inner)) {}
    bool Exists(const std::string& p) override { return inner_->Exists(p); }
    std::unique_ptr<ByteSource> OpenRead(const std::string& p) override { return inner_->OpenRead(p); }
    std::optional<std::uint32_t> FileDosDate(const std::string& p) override { return inner_->FileDosDate(p); }
    std::uint32_t FileAttributes(const std::string& p) override { return inner_->FileAttributes(p); }
    void CreateFolderChain(const std::string& f) override { inner_->CreateFolderChain(f); }
    std::unique_ptr<ByteSink> OpenOutput(const std::string& p) override { return inner_->OpenOutput(p); }
    bool SetDosDate(const std::string& p, std::uint32_t s) override { return inner_->SetDosDate(p, s); }
    bool SetAttributes(const std::string& p, std::uint32_t a) override { return inner_->SetAttributes(p, a); }
    bool Remove(const std::string& p) override { return inner_->Remove(p); }
    std::optional<std::uint64_t> FreeSpace(const std::string& f) override { return inner_->FreeSpace(f); }

private:
    std::unique_ptr<IArcFileSystem> inner_;
};

// Resource texts per program file.
class FakeResourceStrings final : public IResourceStrings {
public:
    std::map<std::string, std::vector<std::string>> texts;
    int loads = 0;
    std::vector<std::string> LoadStrings(const std::string& path, unsigned first, unsigned count,
                                         std::size_t maxChars) override;
};

// A context over a memory file system and fake resources, bias 0 (UTC).
struct MemoryWorld {
    MemoryFileSystem* fs;
    FakeResourceStrings* resources;
    std::unique_ptr<ArchiveContext> context;
    MemoryWorld();
};

// A context over the real file system (fixtures), bias 0.
std::unique_ptr<ArchiveContext> FixtureContext();
std::string FixturePath(const std::string& relative);

void PutLe16(Bytes& b, std::size_t at, std::uint32_t v);
void PutLe32(Bytes& b, std::size_t at, std::uint32_t v);
void Append(Bytes& b, const std::string& text);
Bytes ReadFixture(const std::string& relative);

}  // namespace kv::arc::test
