#pragma once
// The records that tree nodes carry: TCatalogRec, TDiskRec and TFolderRec.
// Each is a separate heap object owned by its node, so its address is stable
// for its whole life; result lists and views point at it.
#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "base/ReadAhead.h"
#include "catalog/model/FileList.h"
#include "catalog/model/ItemHead.h"
#include "catalog/file/StoredBlocks.h"

namespace kv {


// The base of records that tree nodes own.
class ItemRecord : public ItemHead {
public:
    static constexpr bool matchesKind(std::uint8_t k) {
        return k == ItemFlags::Folder || k == ItemFlags::Disk || k == ItemFlags::Catalog;
    }
    virtual ~ItemRecord() = default;
    ItemRecord(const ItemRecord&) = delete;
    ItemRecord& operator=(const ItemRecord&) = delete;

protected:
    explicit ItemRecord(std::uint8_t initialFlags) : ItemHead(initialFlags) {}
};

// A folder or disk: heads the chain of the file records directly in it.
class FileOwnerRecord : public ItemRecord {
public:
    static constexpr bool matchesKind(std::uint8_t k) { return k == ItemFlags::Folder || k == ItemFlags::Disk; }

    // The file records are in memory (also when there are none). A record made
    // in memory starts loaded; the reader clears it when a stored list waits.
    bool loaded = true;
    FileList files;

    // Adding through the owner points the new record at the owner's node.
    TFileRec& addFileFromFile(std::string_view name);
    TFileRec& addFile(FileRecPtr rec);

protected:
    using ItemRecord::ItemRecord;
};

class TFolderRec : public FileOwnerRecord {
public:
    static constexpr bool matchesKind(std::uint8_t k) { return k == ItemFlags::Folder; }
    TFolderRec() : FileOwnerRecord(ItemFlags::Folder) {}

    // Offset of the first subfolder record in the disk section; 0 = none;
    // negated once the subfolder nodes were read.
    std::int32_t subfolderPos = 0;
    StoredFolder stored;
    // Full path inside the disk, from the root with a leading backslash; empty
    // until GetItemPath fills it. Never stored.
    mutable std::string pathCache;
    Node* diskNode = nullptr;
    std::string description;
};

class TDiskRec : public FileOwnerRecord {
public:
    static constexpr bool matchesKind(std::uint8_t k) { return k == ItemFlags::Disk; }
    TDiskRec() : FileOwnerRecord(ItemFlags::NewDisk) {}

    // Made or changed since the catalog was read: the section cannot be copied
    // from the old file.
    bool changed = true;
    // Where the section starts in the file the catalog's reader has open; -1 =
    // not in that file. Loaders read from here; a save moves it only on success.
    std::int32_t sectionPos = -1;
    DiskSectionHeader header;
    VolumeData volume;
    // Virtual disks only: clusters of the drive used outside the virtual root.
    std::uint32_t otherClusters = 0;
    // The top-level folder nodes are present: read from the file, or made in memory.
    bool topLevelRead = true;
    std::string label;       // up to 33 bytes
    std::string fileSystem;  // up to 8 bytes, upper case
    // Virtual disks only: the folder catalogued as the disk, without drive letter,
    // beginning and ending with a backslash.
    std::string virtualPath;
    std::string description;

    bool isVirtual() const { return HasFlag(flags, ItemFlags::VirtualDisk); }
};

struct CategoryEntry {
    std::string name;
    std::uint8_t code = 0;  // 1..31
    friend bool operator==(const CategoryEntry&, const CategoryEntry&) = default;
};


class TCatalogRec : public ItemRecord {
public:
    static constexpr bool matchesKind(std::uint8_t k) { return k == ItemFlags::Catalog; }
    TCatalogRec() : ItemRecord(ItemFlags::NewCatalog) {}

    bool modified = false;
    // The file is in the current format, or the catalog is new.
    bool currentFormat = true;
    std::string description;
    // The open catalog file; none for a catalog never saved.
    ReaderPtr reader;
    std::vector<CategoryEntry> categories;
    std::array<std::string, 3> flagNames;  // user flags 1..3, empty = unnamed
    std::string fileName;                  // full path; empty for a new catalog
};

// The flags byte as the catalog file stores it: 0x40 exactly when the file list
// is in memory as a block read from the file.
std::uint8_t FlagsToStore(const FileOwnerRecord& rec);

// The category byte of a file or folder record; nullptr for other kinds.
std::uint8_t* CategoryByteOf(ItemHead& record);

// Adds one to the disk's folder count; the stored count is 16 bits and stays at 65535.
void IncrementFolderCount(TDiskRec& disk);

}  // namespace kv
