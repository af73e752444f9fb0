#pragma once
// File records (the lists of pass 1) and folder records (pass 2) of a disk
// section. Decoding allocates nothing: texts are views into the reader's bytes.
#include <cstdint>
#include <string_view>

#include "base/BoundedReader.h"
#include "base/BufferedWriter.h"
#include "catalog/file/StoredBlocks.h"
#include "catalog/file/StoredText.h"

namespace kv {

struct StoredFileRecord {
    std::string_view name;
    StoredFile data;
    std::string_view description;
    friend bool operator==(const StoredFileRecord&, const StoredFileRecord&) = default;
};

// What a record adds to its list's description bytes: the description with its count.
inline std::uint32_t descriptionBytesOf(std::string_view storedDescription) {
    return static_cast<std::uint32_t>(2 + storedDescription.size());
}

StoredFileRecord readFileRecord(BoundedReader& in);
// Returns the record's description bytes, after any cut.
std::uint32_t writeFileRecord(BufferedWriter& out, const StoredFileRecord& file, const LeadBytes& lead = {});

// The two bytes before a folder record's name; a flags byte not of kind 2 is damage.
struct FolderRecordHead {
    std::uint8_t flags = 0;
    std::uint8_t depth = 0;  // 1 = directly under the disk's root
    friend bool operator==(const FolderRecordHead&, const FolderRecordHead&) = default;
};

struct StoredFolderRecord {
    std::string_view name;
    StoredFolder data;
    std::string_view description;
    friend bool operator==(const StoredFolderRecord&, const StoredFolderRecord&) = default;
};

FolderRecordHead readFolderRecordHead(BoundedReader& in);
// The rest of the record after its head: read it, or pass over it unread.
StoredFolderRecord readFolderRecordBody(BoundedReader& in);
void skipFolderRecordBody(BoundedReader& in);

// `flags` as in memory; the stored 0x40 bit follows `listIsFileBlock`. A depth
// outside 1..255 cannot be stored: ECatalogLimit.
void writeFolderRecord(BufferedWriter& out, std::uint8_t flags, bool listIsFileBlock, std::size_t depth,
                       const StoredFolderRecord& folder, const LeadBytes& lead = {});

}  // namespace kv
