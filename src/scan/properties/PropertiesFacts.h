#pragma once
// What the properties window shows of an item, worked out without a window:
// which pages apply, the size, ratio and serial texts, the catalog's disk
// statistics, the disk's space lost to the file system and the pie's split.
#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "base/FixedSize.h"
#include "catalog/model/FileRecord.h"
#include "catalog/model/Node.h"

namespace kv {

enum class PropertyPage { File = 0, Folder = 1, Disk = 2, Catalog = 3 };

struct PropertyPages {
    std::array<bool, 4> shown{};
    PropertyPage first = PropertyPage::Disk;
    bool has(PropertyPage page) const { return shown[static_cast<std::size_t>(page)]; }
};

// File page for a file record, folder page for a folder node, disk page for
// anything below a catalog (a template disk without node too), catalog page
// for a catalog node.
PropertyPages ChoosePropertyPages(const ItemRecord* nodeRecord, const TFileRec* file);

// FormatSize of the size and the exact count: "1.50 kB  (1536 Bytes)".
std::string SizeWithBytes(std::int64_t bytes, std::string_view decimalSeparator = ".");
// A member's packed size: "12 kB  (ratio: 40 %)", or "(unknown)" without one.
// A member of size 0 has no ratio to show.
std::string PackedSizeText(std::uint32_t packed, std::uint32_t size, std::string_view decimalSeparator = ".");
// Eight hexadecimal digits, upper case.
std::string CrcText(std::uint32_t crc);
// "TXT file", or "unknown file type" for a name without extension; the shell's
// name when it knows the extension.
std::string FileTypeText(std::string_view fileName, const std::string& shellTypeName);
// Folder page type of an archive folder: "Compressed file (ZIP)", or for an
// EXE "Self-extracted compressed file".
std::string ArchiveFolderType(std::string_view archiveName);

enum class DiskClass { CdRom = 0, HardDisk, Floppy, Removable, Virtual, Other, Count };
DiskClass ClassifyDisk(const TDiskRec& disk);
inline constexpr std::array<const char*, 6> kDiskClassCaptions = {"CD-ROMs:", "Hard disks :", "Floppy disks:",
                                                                   "Removable:", "Virtual disks:", "Other:"};

struct CatalogStatistics {
    std::array<std::uint32_t, 6> count{};
    std::array<FixedSize, 6> capacity{};
    std::uint32_t disks = 0;
    FixedSize total, used;
    std::uint64_t files = 0, folders = 0;
};
// Over the catalog node's disks; files count archive members too.
CatalogStatistics CollectCatalogStatistics(const Node& catalog);
// "3 (total 4.20 GB)"
std::string DiskClassText(const CatalogStatistics& stats, DiskClass c, std::string_view decimalSeparator = ".");

// The used space minus the root files and the top-level folders; below zero
// (resident files, compressed volumes) it is shown as 0. The disk's root file
// list must be loaded.
FixedSize LostInFileSystem(const Node& diskNode);

struct PieSplit {
    int usedPercent = 100;
    bool showFree = false;
};
// Round(used / total x 100), 100 when it cannot be computed; the free slice
// shows only below 100.
PieSplit SplitPie(FixedSize total, FixedSize used);

// The category combo of the file and folder pages: "(none)" and the
// catalog's categories, or a disabled "(no categories defined)".
struct CategoryChoices {
    std::vector<std::string> names;
    std::vector<std::uint8_t> codes;
    bool enabled = false;
    int selected = 0;
};
CategoryChoices ListCategoryChoices(const TCatalogRec* catalog, std::uint8_t categoryByte);

}  // namespace kv
