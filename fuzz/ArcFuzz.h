#pragma once
// Shared by the archive fuzz targets: the input as the one file of an in-memory
// file system, listed or detected as the program would. Only the library's own
// error (E_RAISE) may come out; anything else, a crash or a hang is a finding.
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "archive/ArcLister.h"
#include "archive/DetectArcType.h"
#include "base/Errors.h"

namespace kv::arc::fuzz {

// Takes at most 1 MiB and keeps nothing: a member that claims more ends as a write
// error instead of costing the fuzzer memory and time.
class CappedDiscardSink final : public ByteSink {
public:
    void write(const void*, std::size_t n) override {
        if (n > kCap - size_) throw EIoError("output cap");
        size_ += n;
    }
    void writeAt(std::uint64_t, const void*, std::size_t) override {}
    std::uint64_t size() const override { return size_; }
    void flush() override {}

private:
    static constexpr std::uint64_t kCap = 1u << 20;
    std::uint64_t size_ = 0;
};

class OneFileSystem final : public IFileSystem {
public:
    std::map<std::string, std::vector<std::uint8_t>> files;
    std::string FullPath(const std::string& p) override { return p; }
    bool SamePath(const std::string& a, const std::string& b) override { return a == b; }
    bool Exists(const std::string& p) override { return files.count(p) != 0; }
    std::optional<std::uint64_t> FileSize(const std::string& p) override {
        auto it = files.find(p);
        if (it == files.end()) return std::nullopt;
        return it->second.size();
    }
    std::string TempFolder() override { return "C:\\TEMP\\"; }
    std::string CreateTempFile(const std::string&, const std::string&) override { throw EIoError("read only"); }
    std::unique_ptr<ByteSource> OpenRead(const std::string& p) override {
        auto it = files.find(p);
        if (it == files.end()) throw EIoError("missing");
        return std::make_unique<MemorySource>(it->second);
    }
    std::optional<std::uint32_t> FileDosDate(const std::string&) override { return 0x52D48C00; }
    std::uint32_t FileAttributes(const std::string&) override { return 0x20; }
    void CreateFolderChain(const std::string&) override {}
    std::unique_ptr<ByteSink> OpenOutput(const std::string&) override { return std::make_unique<CappedDiscardSink>(); }
    bool SetDosDate(const std::string&, std::uint32_t) override { return true; }
    bool SetAttributes(const std::string&, std::uint32_t) override { return true; }
    bool Remove(const std::string&) override { return true; }
    FsStatus Erase(const std::string&) override { return FsStatus::Ok; }
    FsStatus MoveReplace(const std::string&, const std::string&) override { return FsStatus::Failed; }
    std::optional<std::uint64_t> FreeSpace(const std::string&) override { return 1u << 30; }
};

struct World {
    OneFileSystem* fs;
    std::unique_ptr<ArchiveContext> context;
    World() {
        auto f = std::make_unique<OneFileSystem>();
        fs = f.get();
        context = std::make_unique<ArchiveContext>(std::move(f), 0);
    }
};

// Pads to more than one header and writes the first header's checksum.
inline void FixTarChecksum(std::vector<std::uint8_t>& b) {
    if (b.size() < 1024) b.resize(1024);
    unsigned sum = 0;
    for (int i = 0; i < 512; ++i) sum += (i >= 148 && i < 156) ? ' ' : b[i];
    std::snprintf(reinterpret_cast<char*>(&b[148]), 8, "%06o", sum & 0777777);
}

using Prepare = void (*)(std::vector<std::uint8_t>&);

// Stores data as the file name, with the signature written over its first bytes so
// that detection picks the component under test.
inline void PutInput(World& w, const char* name, const std::uint8_t* data, std::size_t size,
                     const std::string& signature, Prepare prepare) {
    std::vector<std::uint8_t> bytes(data, data + size);
    if (bytes.size() < signature.size()) bytes.resize(signature.size());
    if (!signature.empty()) std::memcpy(bytes.data(), signature.data(), signature.size());
    if (prepare) prepare(bytes);
    w.fs->files[name] = std::move(bytes);
}

// Lists data as the file name (see PutInput).
inline int ListAs(const char* name, const std::uint8_t* data, std::size_t size, const std::string& signature,
                  Prepare prepare = nullptr) {
    World w;
    PutInput(w, name, data, size, signature, prepare);
    TArcLister lister(*w.context);
    lister.SetArchiveFile(name);
    std::uint64_t total = 0;
    lister.OnRead = [&total](ArchiveReader& s, std::uint64_t, int) { total += s.Current.FileName.size(); };
    try {
        lister.Activate();
    } catch (const E_RAISE&) {
    }
    return 0;
}

}  // namespace kv::arc::fuzz
