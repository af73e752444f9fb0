#pragma once
// Where the file lists of a disk section lie: written through FileListEncoder,
// and checked on reading before any stored number sizes a read or an allocation.
#include <cstdint>

#include "base/BufferedWriter.h"
#include "catalog/file/ItemRecordCodec.h"
#include "catalog/file/StoredBlocks.h"
#include "catalog/file/StoredText.h"

namespace kv {

// One stored file list as its owner's words describe it.
struct FileListPlacement {
    std::int32_t offset = -1;  // from the section start; negative = no files
    std::int32_t size = -1;
    std::uint32_t count = 0;
    std::uint32_t descriptionBytes = 0;
    bool empty() const { return offset < 0; }
    friend bool operator==(const FileListPlacement&, const FileListPlacement&) = default;
};

inline FileListPlacement rootListOf(const DiskSectionHeader& h) {
    return {h.rootListOffset, h.rootListSize, h.rootFileCount, h.rootDescriptionBytes};
}
inline FileListPlacement fileListOf(const StoredFolder& f) {
    return {f.fileListOffset, f.fileListSize, f.fileCount, f.descriptionBytes};
}

// Writes one list at the writer's position and sums what its owner stores about it.
class FileListEncoder {
public:
    FileListEncoder(BufferedWriter& out, std::uint64_t sectionPos, const LeadBytes& lead = {})
        : out_(out), sectionPos_(sectionPos), start_(out.position()), lead_(lead) {}
    void add(const StoredFileRecord& file);
    // Offset and size -1 when nothing was added; ECatalogLimit past 2 GB.
    FileListPlacement finish() const;

private:
    BufferedWriter& out_;
    std::uint64_t sectionPos_;
    std::uint64_t start_;
    LeadBytes lead_;
    std::uint32_t count_ = 0;
    std::uint64_t descriptionBytes_ = 0;
};

// Damage (EInvalidCatalog "Internal catalog structure error detected.") unless the
// words fit the section: `startBytes` is the size of the section start (flags to
// description), `availableBytes` what the file holds from the section's first byte on.
void checkSectionHeader(const DiskSectionHeader& header, std::uint64_t startBytes, std::uint64_t availableBytes);
// A list lies between the section start and the folder records, and its count
// and description bytes fit its size.
void checkFileList(const FileListPlacement& list, std::uint64_t startBytes, std::int32_t folderTreeOffset);

}  // namespace kv
