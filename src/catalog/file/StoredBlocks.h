#pragma once
// The fixed-size blocks that the catalog file stores byte for byte: the records
// in memory hold these, the codecs turn them into bytes and back.
#include <cstdint>

#include "base/FixedSize.h"

namespace kv {

// The 18 stored bytes of a file record (after its short-text name).
// An archive member keeps its CRC in `created` and its packed size in `accessed`.
struct StoredFile {
    std::uint8_t attributes = 0;
    std::uint32_t created = 0;   // DOS date-time
    std::uint32_t modified = 0;  // DOS date-time
    std::uint32_t accessed = 0;  // DOS date-time
    std::uint32_t size = 0;
    std::uint8_t category = 0;   // CategoryByte
    friend bool operator==(const StoredFile&, const StoredFile&) = default;
};

// The 39 stored bytes of a folder record (after its flags, depth and name).
struct StoredFolder {
    std::int32_t fileListOffset = -1;  // from the section start; -1 = no files
    std::int32_t fileListSize = -1;    // -1 = no files
    std::uint32_t fileCount = 0;
    std::uint32_t descriptionBytes = 0;
    FixedSize totalSize;
    std::uint8_t attributes = 0;
    std::uint32_t created = 0;
    std::uint32_t modified = 0;
    std::uint32_t accessed = 0;
    std::uint8_t reserved = 0;
    std::uint8_t category = 0;
    friend bool operator==(const StoredFolder&, const StoredFolder&) = default;
};

// The six header words of a disk section (offsets 1..24 after the flags byte).
struct DiskSectionHeader {
    std::int32_t sectionSize = 0;
    std::int32_t folderTreeOffset = 0;
    std::int32_t rootListOffset = -1;
    std::int32_t rootListSize = -1;
    std::uint32_t rootFileCount = 0;
    std::uint32_t rootDescriptionBytes = 0;
    friend bool operator==(const DiskSectionHeader&, const DiskSectionHeader&) = default;
};

// The 47 bytes of volume data.
struct VolumeData {
    std::uint8_t mediaType = 0;
    std::uint8_t skipFlags = 0;
    std::uint8_t reserved[2] = {0, 0};
    std::uint32_t bytesPerSector = 0;
    std::uint32_t sectorsPerCluster = 0;
    std::uint32_t maxNameLength = 0;
    std::uint32_t fileCount = 0;
    std::uint32_t archiveMemberCount = 0;
    std::uint16_t folderCount = 0;
    std::uint32_t totalClusters = 0;
    std::uint32_t freeClusters = 0;
    double catalogued = 0;  // days since 30 December 1899
    std::uint32_t serialNumber = 0;
    std::uint8_t reserved2 = 0;
    friend bool operator==(const VolumeData&, const VolumeData&) = default;
};

inline constexpr std::size_t kStoredFileBytes = 18;
inline constexpr std::size_t kStoredFolderBytes = 39;
inline constexpr std::size_t kDiskHeaderBytes = 24;
inline constexpr std::size_t kVolumeDataBytes = 47;

}  // namespace kv
