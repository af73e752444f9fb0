#include "catalog/model/ItemRecords.h"

#include "catalog/file/CatalogFormat.h"
#include "catalog/model/FileRecord.h"

#include <limits>

namespace kv {

TFileRec& FileOwnerRecord::addFileFromFile(std::string_view name) {
    TFileRec& file = files.appendFromFile(name);
    file.node = node;
    return file;
}

TFileRec& FileOwnerRecord::addFile(FileRecPtr rec) {
    TFileRec& file = files.append(std::move(rec));
    file.node = node;
    return file;
}

std::uint8_t FlagsToStore(const FileOwnerRecord& rec) { return storedFlags(rec.flags, rec.files.isBlockFromFile()); }

std::uint8_t* CategoryByteOf(ItemHead& record) {
    if (auto* file = RecordAs<TFileRec>(&record))
        return &file->stored.category;
    if (auto* folder = RecordAs<TFolderRec>(&record))
        return &folder->stored.category;
    return nullptr;
}

void IncrementFolderCount(TDiskRec& disk) {
    if (disk.volume.folderCount < std::numeric_limits<std::uint16_t>::max())
        ++disk.volume.folderCount;
}

}  // namespace kv
