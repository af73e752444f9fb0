#pragma once
// The four files of the earlier DOS cataloguing program's database, read
// without trusting them: ".DSK" (one 39-byte record per disk), ".CMT" (the
// catalog name and disk comments), ".FDS" (descriptions of entries) and
// ".FIL" (20-byte entries of every disk's folders and files).
#include <cstdint>
#include <deque>
#include <map>
#include <optional>
#include <span>
#include <string>
#include <unordered_map>
#include <vector>

namespace kv {

inline constexpr std::size_t kOstDiskRecordSize = 39;
inline constexpr std::size_t kOstEntrySize = 20;
// Descriptions beyond this are cut, as the program stores no longer ones.
inline constexpr std::size_t kOstDescriptionLimit = 4096;
inline constexpr std::size_t kOstCommentLineLimit = 255;

struct OstDisk {
    std::uint16_t number = 0;
    std::uint32_t capacity = 0;
    std::uint32_t freeBytes = 0;
    std::uint8_t driveCode = 0;
    std::string name;  // at most 20 characters
    std::uint8_t day = 0, month = 0, year = 0;  // year - 1900
};

// Whole records only: a size that is not a multiple of 39 leaves the partial
// record out (the dialog calls such a file invalid).
std::vector<OstDisk> ReadOstrandelDisks(std::span<const std::uint8_t> bytes);
bool IsValidOstrandelDiskFile(std::uint64_t size);

struct OstComments {
    std::optional<std::string> catalogName;  // the last 0xEB line
    std::map<std::uint16_t, std::string> disks;  // the last line of each disk number
};
OstComments ReadOstrandelComments(std::span<const std::uint8_t> bytes);
// The dialog's look at the start of a ".CMT" file: the first 0xEB line's name.
std::optional<std::string> OstrandelCatalogName(std::span<const std::uint8_t> firstBytes);

// Descriptions by disk and entry number; each is used once.
class OstDescriptions {
public:
    void add(std::uint16_t disk, std::uint32_t entry, std::string text);
    // The first description kept for the entry, removed; nothing when none.
    std::optional<std::string> take(std::uint16_t disk, std::uint32_t entry);
    std::size_t size() const { return count_; }

private:
    static std::uint64_t key(std::uint16_t disk, std::uint32_t entry) { return (std::uint64_t{disk} << 32) | entry; }
    std::unordered_map<std::uint64_t, std::deque<std::string>> texts_;
    std::size_t count_ = 0;
};
OstDescriptions ReadOstrandelDescriptions(std::span<const std::uint8_t> bytes);

struct OstEntry {
    std::uint16_t disk = 0;
    std::string name;  // at most 12 characters
    std::uint32_t size = 0;
    std::uint8_t attributes = 0;
    bool isFolder() const { return (attributes & 0x10) != 0; }
    bool isArchive() const { return (attributes & 0x40) != 0; }
    bool isUp() const { return name == ".."; }
};
// Whole entries only; a partial last entry is left out.
std::vector<OstEntry> ReadOstrandelEntries(std::span<const std::uint8_t> bytes);

// "README.TXT" gives "Readme.txt"; a name with a lower-case letter only gets
// its first character upper-cased.
std::string RecaseOstrandelName(std::string name);

}  // namespace kv
