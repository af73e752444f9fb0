#pragma once
// Test doubles for the archive library's platform seams, and byte-building helpers.
#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "archive/ArchiveContext.h"
#include "base/Errors.h"
#include "system/files/FileSystem.h"

namespace kv::arc::test {

using Bytes = std::vector<std::uint8_t>;

// Thrown by a read once the memory file system's read budget is spent. Not an
// Error, so no layer of the library takes it for damage and carries on.
struct ReadBudgetSpent {};

// What the files opened through a MemoryFileSystem were asked for.
struct ReadTally {
    int opens = 0;
    int reads = 0;
    std::uint64_t bytes = 0;
};

// Bytes whose every read spends one of budget; none left throws ReadBudgetSpent.
std::unique_ptr<ByteSource> BudgetedMemorySource(Bytes bytes, std::uint64_t& budget, ReadTally* tally = nullptr);

// Files held in memory, by their Windows names.
class MemoryFileSystem final : public IFileSystem {
public:
    std::map<std::string, Bytes> files;
    std::uint32_t dosDate = 0x52D48C00;  // 2021-06-20 17:32:00
    // Reads the files opened here may still make: a walk that never ends then fails
    // its test instead of hanging it.
    std::uint64_t readBudget = ~std::uint64_t{0};
    ReadTally tally;

    std::string FullPath(const std::string& path) override { return path; }
    bool SamePath(const std::string& a, const std::string& b) override { return a == b; }
    bool Exists(const std::string& path) override { return files.count(path) != 0; }
    std::optional<std::uint64_t> FileSize(const std::string& path) override {
        if (!Exists(path)) return std::nullopt;
        return files[path].size();
    }
    std::string TempFolder() override { return "C:\\TEMP\\"; }
    std::string CreateTempFile(const std::string& folder, const std::string&) override {
        throw EIoError("no temporary files in memory: " + folder);
    }
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
    FsStatus Erase(const std::string& path) override { return Remove(path) ? FsStatus::Ok : FsStatus::Failed; }
    FsStatus MoveReplace(const std::string& from, const std::string& to) override {
        auto it = files.find(from);
        if (it == files.end()) return FsStatus::Failed;
        files[to] = std::move(it->second);
        files.erase(from);
        return FsStatus::Ok;
    }
    std::optional<std::uint64_t> FreeSpace(const std::string&) override { return 1u << 30; }
};

// Passes every call on to the file system it owns; a test overrides the calls it
// watches or changes.
class ForwardingFileSystem : public IFileSystem {
public:
    explicit ForwardingFileSystem(std::unique_ptr<IFileSystem> inner) : inner_(std::move(inner)) {}
    std::string FullPath(const std::string& p) override { return inner_->FullPath(p); }
    bool SamePath(const std::string& a, const std::string& b) override { return inner_->SamePath(a, b); }
    bool Exists(const std::string& p) override { return inner_->Exists(p); }
    std::optional<std::uint64_t> FileSize(const std::string& p) override { return inner_->FileSize(p); }
    std::optional<std::uint32_t> FileDosDate(const std::string& p) override { return inner_->FileDosDate(p); }
    std::uint32_t FileAttributes(const std::string& p) override { return inner_->FileAttributes(p); }
    std::optional<std::uint64_t> FreeSpace(const std::string& f) override { return inner_->FreeSpace(f); }
    std::string TempFolder() override { return inner_->TempFolder(); }
    std::string CreateTempFile(const std::string& f, const std::string& prefix) override {
        return inner_->CreateTempFile(f, prefix);
    }
    void CreateFolderChain(const std::string& f) override { inner_->CreateFolderChain(f); }
    std::unique_ptr<ByteSink> OpenOutput(const std::string& p) override { return inner_->OpenOutput(p); }
    std::unique_ptr<ByteSource> OpenRead(const std::string& p) override { return inner_->OpenRead(p); }
    bool SetDosDate(const std::string& p, std::uint32_t s) override { return inner_->SetDosDate(p, s); }
    bool SetAttributes(const std::string& p, std::uint32_t a) override { return inner_->SetAttributes(p, a); }
    FsStatus Erase(const std::string& p) override { return inner_->Erase(p); }
    bool Remove(const std::string& p) override { return inner_->Remove(p); }
    FsStatus MoveReplace(const std::string& from, const std::string& to) override {
        return inner_->MoveReplace(from, to);
    }

protected:
    IFileSystem& inner() { return *inner_; }

private:
    std::unique_ptr<IFileSystem> inner_;
};

// A context over a memory file system, bias 0 (UTC).
struct MemoryWorld {
    MemoryFileSystem* fs;
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
