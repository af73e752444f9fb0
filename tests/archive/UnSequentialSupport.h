#pragma once
// Extractor tests: archives read from the fixtures, extracted files kept in memory
// by the Windows path they were written to, and everything the events said.
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "ArcTestSupport.h"
#include "archive/ArchiveComponent.h"

namespace kv::arc::test {

// Reads the real file system; writes into memory.
class CapturingFileSystem final : public ForwardingFileSystem {
public:
    CapturingFileSystem() : ForwardingFileSystem(MakeSystemFileSystem()) {}

    std::map<std::string, Bytes> written;
    std::map<std::string, std::uint32_t> dates;
    std::set<std::string> folders;
    std::set<std::string> refuseOutput;  // paths whose opening fails
    std::set<std::string> failClose;     // paths whose last bytes cannot be written at close
    std::map<std::string, Bytes> crafted;  // archives given in memory, by their path
    std::uint64_t readBudget = ~std::uint64_t{0};  // reads of crafted archives, see BudgetedMemorySource
    std::function<bool(const std::string&)> hidden;  // paths that do not exist

    bool Exists(const std::string& path) override {
        if (hidden && hidden(path)) return false;
        return written.count(path) || crafted.count(path) || inner().Exists(path);
    }
    std::unique_ptr<ByteSource> OpenRead(const std::string& path) override;
    void CreateFolderChain(const std::string& folder) override { folders.insert(folder); }
    std::unique_ptr<ByteSink> OpenOutput(const std::string& path) override;
    bool SetDosDate(const std::string& path, std::uint32_t stamp) override {
        dates[path] = stamp;
        return true;
    }
    bool SetAttributes(const std::string&, std::uint32_t) override { return true; }
    bool Remove(const std::string& path) override { return written.erase(path) != 0; }
    std::optional<std::uint64_t> FreeSpace(const std::string&) override { return 1u << 30; }
};

inline const std::string kOutDir = "C:\\OUT\\";

struct ExtractRun {
    CapturingFileSystem* fs;
    std::unique_ptr<ArchiveContext> context;
    std::vector<std::pair<int, std::string>> messages;  // OnError: code, FN
    std::map<std::string, bool> crcPass;                // OnEnd
    int raised = 0;                                     // the E_RAISE that ended Extract, 0 if none

    ExtractRun();
    // An archive in memory under a path of its own; returns that path for Run.
    std::string Craft(const std::string& name, Bytes bytes);
    // Runs extractor on the fixture (relative to the fixtures folder) into kOutDir.
    void Run(TUnBase& extractor, const std::string& fixture, const std::string& mask = "*.*",
             bool storedDirs = true);
    // The extracted files by their path below kOutDir ('\' separated).
    std::map<std::string, Bytes> Files() const;
    bool Said(int code) const;
};

// The tree the made archives were packed from, as the real archivers extract it:
// path below it ('\' separated) to content.
std::map<std::string, Bytes> MadeTree();

}  // namespace kv::arc::test
