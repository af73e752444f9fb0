#include "scan/dosimport/OstrandelImport.h"

#include <unordered_map>

#include "base/CatalogDate.h"
#include "catalog/media/DiskRecordInit.h"
#include "catalog/model/FileRecord.h"
#include "base/ByteSource.h"
#include "system/drives/DriveGeometry.h"
#include "system/files/FileSystem.h"
#include "system/drives/MediaTypes.h"

namespace kv {

std::uint8_t SetImportedMediaKind(std::uint8_t driveCode, std::uint8_t diskNumberLowByte, std::uint32_t capacity) {
    if (diskNumberLowByte == 0)
        return MediaType::HardDisk;
    const std::uint8_t kind = driveCode & 0x1F;
    const std::uint8_t cls = driveCode >> 5;
    if (kind == 0 || kind == 1)
        return capacity >= 614400 ? MediaType::Floppy525HD : MediaType::Floppy525DD;
    if (kind == 2)
        return capacity >= 2048000 ? MediaType::Floppy35EHD
               : capacity >= 921600 ? MediaType::Floppy35HD
                                    : MediaType::Floppy35DD;
    if (cls == 1)
        return MediaType::CdRom;
    return MediaType::Removable;
}

void SetImportedDiskSizes(TDiskRec& disk, std::uint32_t capacity, std::uint32_t freeBytes) {
    TDriveInfo info;
    info.maxNameLength = 255;
    info.fileSystem = disk.volume.mediaType == MediaType::CdRom ? "CDFS" : "FAT";
    info.totalBytes = capacity;
    info.freeBytes = std::min(freeBytes, capacity);
    MakeUpGeometry(info);
    FillDiskRecord(disk, info, disk.volume.mediaType, disk.volume.catalogued);
}

double ImportedDate(std::uint8_t day, std::uint8_t month, std::uint8_t year) {
    static constexpr int kDays[] = {31, 29, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (month < 1 || month > 12 || day < 1 || day > kDays[month - 1])
        return 0;
    const int y = 1900 + year;
    const bool leap = (y % 4 == 0 && y % 100 != 0) || y % 400 == 0;
    if (month == 2 && day == 29 && !leap)
        return 0;
    return toCatalogDate(DateTime{y, month, day, 0, 0, 0});
}

namespace {

// A database file is a few megabytes at most; anything far larger is not one.
constexpr std::uint64_t kLargestFile = 256u << 20;

std::optional<std::vector<std::uint8_t>> ReadWhole(IFileSystem& files, const std::string& path) {
    try {
        std::unique_ptr<ByteSource> source = files.OpenRead(path);
        if (!source) return std::nullopt;
        const std::uint64_t size = source->size();
        if (size > kLargestFile) return std::nullopt;
        std::vector<std::uint8_t> bytes(static_cast<std::size_t>(size));
        if (source->readAt(0, bytes.data(), bytes.size()) != bytes.size()) return std::nullopt;
        return bytes;
    } catch (const std::exception&) {
        return std::nullopt;
    }
}

std::string Sibling(const std::string& dskPath, const char* upperExt) {
    const std::size_t dot = dskPath.find_last_of(".\\/");
    const bool hasExt = dot != std::string::npos && dskPath[dot] == '.';
    const std::string base = hasExt ? dskPath.substr(0, dot) : dskPath;
    const bool lower = hasExt && dot + 1 < dskPath.size() && dskPath[dot + 1] >= 'a' && dskPath[dot + 1] <= 'z';
    std::string ext = upperExt;
    if (lower)
        for (char& c : ext) c = static_cast<char>(c - 'A' + 'a');
    return base + "." + ext;
}

}  // namespace

std::optional<OstrandelDatabase> ReadOstrandelDatabase(IFileSystem& files, const std::string& dskPath,
                                                       std::string& error) {
    std::optional<std::vector<std::uint8_t>> dsk = ReadWhole(files, dskPath);
    if (!dsk) {
        error = "Can't read Ostrandel disk file \"" + dskPath + "\".";
        return std::nullopt;
    }
    if (!IsValidOstrandelDiskFile(dsk->size())) {
        error = "(invalid Ostrandel database)";
        return std::nullopt;
    }
    OstrandelDatabase database;
    database.dsk = std::move(*dsk);
    database.cmt = ReadWhole(files, Sibling(dskPath, "CMT"));
    database.fds = ReadWhole(files, Sibling(dskPath, "FDS"));
    database.fil = ReadWhole(files, Sibling(dskPath, "FIL"));
    return database;
}

namespace {

class EntryBuilder {
public:
    EntryBuilder(Forest& forest, const std::unordered_map<std::uint16_t, Node*>& disks, OstDescriptions& descriptions)
        : forest_(forest), disks_(disks), descriptions_(descriptions) {}

    // Returns true when the entry started another disk.
    bool add(const OstEntry& raw) {
        bool switched = false;
        if (!started_ || raw.disk != diskNumber_) {
            closeAll();
            started_ = true;
            switched = true;
            diskNumber_ = raw.disk;
            const auto found = disks_.find(raw.disk);
            diskNode_ = found == disks_.end() ? nullptr : found->second;
            current_ = diskNode_;
            entryNumber_ = 0;
        }
        ++entryNumber_;
        if (!current_)
            return switched;
        const bool inArchive = insideArchive();
        if (raw.isUp() || (inArchive && raw.isArchive())) {
            close();
            if (raw.isUp())
                return switched;
        }
        const std::string name = RecaseOstrandelName(raw.name);
        if (raw.isFolder() || raw.isArchive())
            addFolder(raw, name);
        else
            addFile(raw, name);
        return switched;
    }

    void closeAll() {
        while (current_ && current_ != diskNode_) close();
    }

private:
    bool insideArchive() const {
        const auto* folder = current_ ? RecordAs<TFolderRec>(current_->record()) : nullptr;
        return folder && HasFlag(folder->flags, ItemFlags::Archive);
    }

    // A ".." at a disk's root has nothing to close.
    void close() {
        if (!current_ || current_ == diskNode_)
            return;
        const auto* closed = RecordAs<TFolderRec>(current_->record());
        Node* parent = current_->parent();
        if (auto* up = RecordAs<TFolderRec>(parent->record()))
            up->stored.totalSize += closed->stored.totalSize;
        current_ = parent;
    }

    TDiskRec& disk() { return *RecordAs<TDiskRec>(diskNode_->record()); }

    void addFolder(const OstEntry& raw, const std::string& name) {
        const bool archive = insideArchive() || raw.isArchive();
        Node& node = forest_.addChild(*current_, name);
        auto record = std::make_unique<TFolderRec>();
        TFolderRec& folder = *record;
        SetFlag(folder.flags, ItemFlags::Archive, archive);
        if (archive)
            folder.stored.totalSize = FixedSize::fromBytes(raw.size);
        folder.stored.attributes = raw.attributes & 0x3F;
        if (std::optional<std::string> text = descriptions_.take(diskNumber_, entryNumber_))
            folder.description = std::move(*text);
        (void)node.setRecord(std::move(record));
        IncrementFolderCount(disk());
        forest_.setChildrenHint(*current_, true);
        current_ = &node;
    }

    void addFile(const OstEntry& raw, const std::string& name) {
        auto& owner = *RecordAs<FileOwnerRecord>(current_->record());
        const bool archive = insideArchive();
        TFileRec& file = owner.addFile(MakeFileRec(name));
        SetFlag(file.flags, ItemFlags::Archive, archive);
        file.stored.attributes = raw.attributes & 0x3F;
        file.stored.size = raw.size;
        if (auto* folder = RecordAs<TFolderRec>(&owner)) {
            ++folder->stored.fileCount;
            if (!archive)
                folder->stored.totalSize += FixedSize::fromBytes(raw.size);
        } else {
            ++disk().header.rootFileCount;
        }
        ++disk().volume.fileCount;
        if (std::optional<std::string> text = descriptions_.take(diskNumber_, entryNumber_)) {
            file.description.assign(*text);
            SetFlag(owner.flags, ItemFlags::HasDescriptions, true);
        }
    }

    Forest& forest_;
    const std::unordered_map<std::uint16_t, Node*>& disks_;
    OstDescriptions& descriptions_;
    bool started_ = false;
    std::uint16_t diskNumber_ = 0;
    std::uint32_t entryNumber_ = 0;
    Node* diskNode_ = nullptr;
    Node* current_ = nullptr;
};

}  // namespace

OstrandelImportResult ImportOstrandelDatabase(Forest& forest, const OstrandelDatabase& database,
                                              const std::function<void(std::size_t, std::size_t)>& progress) {
    OstrandelImportResult result;
    Node& catalog = forest.addRoot(kOstrandelCatalogName);
    auto catalogRecord = std::make_unique<TCatalogRec>();
    // Never saved yet: closing it must ask, or the import would be lost.
    catalogRecord->modified = true;
    (void)catalog.setRecord(std::move(catalogRecord));
    result.catalog = &catalog;

    const std::vector<OstDisk> disks = ReadOstrandelDisks(database.dsk);
    const std::size_t total = disks.size();
    std::size_t done = 0;
    if (progress) progress(total, done);
    // Disk numbers kept beside the import, not in the records.
    std::unordered_map<std::uint16_t, Node*> byNumber;
    for (const OstDisk& d : disks) {
        Node& node = forest.addChild(catalog, d.name.empty() ? std::string("(unknown)") : d.name);
        auto record = std::make_unique<TDiskRec>();
        record->volume.mediaType = SetImportedMediaKind(d.driveCode, static_cast<std::uint8_t>(d.number & 0xFF), d.capacity);
        record->volume.catalogued = ImportedDate(d.day, d.month, d.year);
        SetImportedDiskSizes(*record, d.capacity, d.freeBytes);
        (void)node.setRecord(std::move(record));
        byNumber.emplace(d.number, &node);
    }

    if (database.cmt) {
        const OstComments comments = ReadOstrandelComments(*database.cmt);
        if (comments.catalogName)
            forest.setText(catalog, *comments.catalogName);
        for (const auto& [number, text] : comments.disks)
            if (const auto found = byNumber.find(number); found != byNumber.end())
                RecordAs<TDiskRec>(found->second->record())->description = text;
    }

    OstDescriptions descriptions;
    if (database.fds)
        descriptions = ReadOstrandelDescriptions(*database.fds);

    if (!database.fil) {
        result.entriesMissing = true;
        return result;
    }
    EntryBuilder builder(forest, byNumber, descriptions);
    for (const OstEntry& entry : ReadOstrandelEntries(*database.fil))
        if (builder.add(entry) && progress) progress(total, std::min(++done, total));
    builder.closeAll();
    return result;
}

}  // namespace kv
