#include "catalog/file/SectionLayout.h"

#include "catalog/file/CatalogFormat.h"

namespace kv {

void FileListEncoder::add(const StoredFileRecord& file) {
    descriptionBytes_ += writeFileRecord(out_, file, lead_);
    ++count_;
}

FileListPlacement FileListEncoder::finish() const {
    if (count_ == 0) return {};
    FileListPlacement list;
    list.offset = sectionOffset(start_, sectionPos_);
    list.size = storedOffset(out_.position() - start_);
    list.count = count_;
    // Never more than the list's size, which fits an i32.
    list.descriptionBytes = static_cast<std::uint32_t>(descriptionBytes_);
    return list;
}

namespace {

void damaged() { throw EInvalidCatalog(kStructureErrorMessage); }

// Bytes of a stored file record besides its name and description.
constexpr std::uint64_t kFileRecordFixedBytes = 1 + kStoredFileBytes;

}  // namespace

void checkSectionHeader(const DiskSectionHeader& h, std::uint64_t startBytes, std::uint64_t availableBytes) {
    const std::int64_t tree = h.folderTreeOffset;
    const std::int64_t size = h.sectionSize;
    if (tree < static_cast<std::int64_t>(startBytes) || size < tree ||
        static_cast<std::uint64_t>(size) > availableBytes)
        damaged();
    checkFileList(rootListOf(h), startBytes, h.folderTreeOffset);
}

void checkFileList(const FileListPlacement& list, std::uint64_t startBytes, std::int32_t folderTreeOffset) {
    if (list.empty()) return;
    const std::int64_t offset = list.offset;
    const std::int64_t size = list.size;
    if (offset < static_cast<std::int64_t>(startBytes) || size < 0 || offset + size > folderTreeOffset) damaged();
    const std::uint64_t count = list.count;
    const std::uint64_t descriptions = list.descriptionBytes;
    if (descriptions < 2 * count || kFileRecordFixedBytes * count + descriptions > static_cast<std::uint64_t>(size))
        damaged();
}

}  // namespace kv
