#pragma once
// The system's file system inside a scratch folder, with faults on demand: a
// disk that fills at a chosen write, renames and erases that are refused, a
// reported free space, and Windows' rule that a file open for reading cannot
// be erased or replaced.
#include <filesystem>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "TempDir.h"
#include "base/Errors.h"
#include "system/files/FileSystem.h"

namespace kv::test {

// A test's own folder with a "tmp" folder inside that stands for the system's.
class ScratchFolder {
public:
    ScratchFolder() { std::filesystem::create_directories(tempFolder()); }
    std::string file(const std::string& name) const { return dir_.file(name); }
    std::string tempFolder() const { return dir_.file("tmp"); }
    // Names of the files in a folder, temporary ones included.
    std::vector<std::string> list(const std::string& folder) const {
        std::vector<std::string> names;
        for (const auto& e : std::filesystem::directory_iterator(folder))
            if (e.is_regular_file()) names.push_back(e.path().filename().string());
        return names;
    }

private:
    TempDir dir_;
};

class FaultyFileSystem : public IFileSystem {
public:
    enum class Call { Move, Erase };
    // Returns a status to fail the call with; nullopt lets it through.
    using Fault = std::function<std::optional<FsStatus>(Call, const std::string& from, const std::string& to)>;

    explicit FaultyFileSystem(const ScratchFolder& scratch) : real_(MakeSystemFileSystem()), temp_(scratch.tempFolder()) {}

    // The sink operation (write, patch, flush or close) with this number fails as a full disk would.
    std::optional<std::uint64_t> failAtWrite;
    // Bytes that new files may still take before the disk is full.
    std::optional<std::uint64_t> room;
    // Reads that reach this offset of a file fail as a bad sector would.
    std::optional<std::uint64_t> failReadAt;
    // Sink operations so far.
    std::uint64_t writes = 0;
    Fault fault;
    std::optional<std::uint64_t> free;
    // The system cannot tell the free space (a network share, say).
    bool freeUnknown = false;
    bool lockOpenFiles = true;
    // Called before each folder listing; it throws to make the listing fail.
    std::function<void(const std::string& folder)> listFault;

    std::string FullPath(const std::string& path) override { return real_->FullPath(path); }
    bool SamePath(const std::string& a, const std::string& b) override { return real_->SamePath(a, b); }
    bool Exists(const std::string& path) override { return real_->Exists(path); }
    std::optional<std::uint64_t> FileSize(const std::string& path) override { return real_->FileSize(path); }
    std::optional<std::uint32_t> FileDosDate(const std::string& path) override { return real_->FileDosDate(path); }
    std::uint32_t FileAttributes(const std::string& path) override { return real_->FileAttributes(path); }
    std::optional<std::uint64_t> FreeSpace(const std::string& folder) override {
        if (freeUnknown) return std::nullopt;
        return free ? free : real_->FreeSpace(folder);
    }
    std::string TempFolder() override { return temp_; }
    std::string CreateTempFile(const std::string& folder, const std::string& prefix) override {
        return real_->CreateTempFile(folder, prefix);
    }
    void CreateFolderChain(const std::string& folder) override { real_->CreateFolderChain(folder); }
    std::unique_ptr<ByteSink> OpenOutput(const std::string& path) override {
        return std::make_unique<Sink>(*this, real_->OpenOutput(path));
    }
    std::unique_ptr<ByteSource> OpenRead(const std::string& path) override {
        return std::make_unique<Source>(*this, real_->OpenRead(path), FullPath(path));
    }
    bool SetDosDate(const std::string& path, std::uint32_t stamp) override { return real_->SetDosDate(path, stamp); }
    bool SetAttributes(const std::string& path, std::uint32_t attributes) override {
        return real_->SetAttributes(path, attributes);
    }
    FsStatus Erase(const std::string& path) override {
        if (auto st = refused(Call::Erase, path, "")) return *st;
        return real_->Erase(path);
    }
    bool Remove(const std::string& path) override { return real_->Remove(path); }
    FsStatus MoveReplace(const std::string& from, const std::string& to) override {
        if (auto st = refused(Call::Move, from, to)) return *st;
        return real_->MoveReplace(from, to);
    }

    std::vector<FolderEntry> ListFolder(const std::string& folder) override {
        if (listFault) listFault(folder);
        return real_->ListFolder(folder);
    }

    int openReaders(const std::string& path) { return open_[FullPath(path)]; }

private:
    std::optional<FsStatus> refused(Call call, const std::string& from, const std::string& to) {
        if (lockOpenFiles && (open_[FullPath(from)] > 0 || (!to.empty() && open_[FullPath(to)] > 0)))
            return FsStatus::AccessDenied;
        if (fault) return fault(call, from, to);
        return std::nullopt;
    }

    void beforeWrite() {
        if (failAtWrite && writes == *failAtWrite) {
            ++writes;
            throw EIoError("Cannot write file: No space left on device");
        }
        ++writes;
    }

    class Sink final : public ByteSink {
    public:
        Sink(FaultyFileSystem& fs, std::unique_ptr<ByteSink> real) : fs_(fs), real_(std::move(real)) {}
        void write(const void* data, std::size_t n) override {
            fs_.beforeWrite();
            if (fs_.room && n > *fs_.room) {
                real_->write(data, static_cast<std::size_t>(*fs_.room));
                fs_.room = 0;
                throw EIoError("Cannot write file: No space left on device");
            }
            if (fs_.room) *fs_.room -= n;
            real_->write(data, n);
        }
        void writeAt(std::uint64_t pos, const void* data, std::size_t n) override {
            fs_.beforeWrite();
            real_->writeAt(pos, data, n);
        }
        std::uint64_t size() const override { return real_->size(); }
        void flush() override {
            fs_.beforeWrite();
            real_->flush();
        }
        void close() override {
            fs_.beforeWrite();
            real_->close();
        }

    private:
        FaultyFileSystem& fs_;
        std::unique_ptr<ByteSink> real_;
    };

    class Source final : public ByteSource {
    public:
        Source(FaultyFileSystem& fs, std::unique_ptr<ByteSource> real, std::string path)
            : fs_(fs), real_(std::move(real)), path_(std::move(path)) {
            ++fs_.open_[path_];
        }
        ~Source() override { --fs_.open_[path_]; }
        std::uint64_t size() override { return real_->size(); }
        std::size_t readAt(std::uint64_t pos, void* out, std::size_t n) override {
            if (fs_.failReadAt && pos + n > *fs_.failReadAt && pos < real_->size())
                throw EIoError("Cannot read file: Input/output error");
            return real_->readAt(pos, out, n);
        }

    private:
        FaultyFileSystem& fs_;
        std::unique_ptr<ByteSource> real_;
        std::string path_;
    };

    std::unique_ptr<IFileSystem> real_;
    std::string temp_;
    std::map<std::string, int> open_;
};

}  // namespace kv::test
