#pragma once
// What the extractor tests share: a scratch folder on the real file system, an
// extractor's events recorded in order, and the listings the real tools printed.
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "ArcTestSupport.h"
#include "archive/ArchiveComponent.h"

namespace kv::arc::test {

// A fresh folder under the system's temporary folder, removed with all it holds.
class ScratchFolder {
public:
    ScratchFolder();
    ~ScratchFolder();
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;

    // In Windows form, with a trailing '\'.
    const std::string& Path() const { return win_; }
    // Whether a file lies below it, by its Windows-form relative name.
    bool Has(const std::string& relative) const;
    Bytes Read(const std::string& relative) const;
    // Writes a file below it; returns its Windows-form path.
    std::string Write(const std::string& relative, const Bytes& bytes) const;
    // Every regular file below it, relative, with '\'.
    std::vector<std::string> Files() const;

private:
    std::string host_;
    std::string win_;
};

// The events an extractor fired, one text each: "begin NAME", "end NAME ok|bad",
// "error CODE NAME", "activate", "deactivate".
struct EventLog {
    std::vector<std::string> events;
    std::vector<int> errors;
    std::string folder;  // cut from the front of names

    void Attach(TUnBase& extractor);
    int Count(const std::string& prefix) const;
};

// The result of Extract(): 0 or the E_RAISE id.
int RunExtract(TUnBase& extractor);

// A DOS stamp as "YYYY-MM-DD HH:MM:SS", the listings' form.
std::string DateText(std::uint32_t stamp);

// One extractor over a fixture archive, extracting into a scratch folder with its
// events logged (names relative to the folder).
template <class Extractor>
struct ExtractRun {
    std::unique_ptr<ArchiveContext> context = FixtureContext();
    Extractor x{*context};
    ScratchFolder out;
    EventLog log;

    explicit ExtractRun(const std::string& archive, bool storedDirs = true) {
        x.SetArchiveFile(FixturePath(archive));
        x.SetExtractDir(out.Path());
        x.UseStoredDirs = storedDirs;
        log.folder = out.Path();
        log.Attach(x);
    }
    int Run() { return RunExtract(x); }
    // The date the extracted file got.
    std::string Date(const std::string& relative) {
        return DateText(context->FileSystem().FileDosDate(out.Path() + relative).value_or(0));
    }
};

// Lines of a fixture's ".expected" listing: name, unpacked size, CRC text, date text, attribute text.
struct ListedMember {
    std::string name;
    std::uint64_t size = 0;
    std::string crc;
    std::string date;
    std::string attributes;
};
std::vector<ListedMember> ExpectedListing(const std::string& archive);

std::string CrcText(const Bytes& bytes);

}  // namespace kv::arc::test
