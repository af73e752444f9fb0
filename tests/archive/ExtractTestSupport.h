#pragma once
// What the extractor tests share: a scratch folder on the real file system, an
// extractor's events recorded in order, and the listings the real tools printed.
#include <cstdint>
#include <string>
#include <vector>

#include "ArcTestSupport.h"
#include "archive/AwkMain.h"

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
    // A file below it by its Windows-form relative name; nullopt-like empty when absent.
    bool Has(const std::string& relative) const;
    Bytes Read(const std::string& relative) const;
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
