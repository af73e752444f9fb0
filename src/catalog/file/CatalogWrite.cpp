#include "catalog/file/CatalogWrite.h"

#include <algorithm>
#include <chrono>
#include <stdexcept>
#include <vector>

#include "base/Errors.h"
#include "catalog/file/CatalogFormat.h"
#include "catalog/file/CatalogHeadCodec.h"
#include "catalog/file/CatalogLoad.h"
#include "catalog/model/CatalogModified.h"
#include "catalog/file/DiskSectionCodec.h"
#include "catalog/model/DiskSpace.h"
#include "catalog/model/FreeRecords.h"
#include "catalog/file/ItemRecordCodec.h"
#include "base/ReadAhead.h"
#include "ui/WaitProgress.h"

namespace kv {

namespace {

double Bytes(FixedSize size) { return static_cast<double>(std::max<std::int64_t>(size.bytes(), 0)); }

FixedSize ChildFoldersTotal(const Node& node) {
    FixedSize sum;
    for (const auto& child : node.children())
        if (auto* folder = RecordAs<TFolderRec>(child->record()))
            sum += folder->stored.totalSize;
    return sum;
}

// What a disk weighs in the progress total, and what a copy of it advances.
double DiskWeight(const Node& diskNode, const TDiskRec& disk) {
    if (!diskNode.children().empty())
        return Bytes(ChildFoldersTotal(diskNode));
    return Bytes(GetDiskSpace(disk, DiskSpaceKind::Total));
}

// The bytes that lie directly in a folder or a disk's root.
double OwnBytes(const Node& node) {
    if (auto* folder = RecordAs<TFolderRec>(node.record()))
        return Bytes(folder->stored.totalSize - ChildFoldersTotal(node));
    if (auto* disk = RecordAs<TDiskRec>(node.record()))
        return Bytes(GetDiskSpace(*disk, DiskSpaceKind::Used) - ChildFoldersTotal(node));
    return 0;
}

TCatalogRec& CatalogOf(Node& node) {
    auto* catalog = RecordAs<TCatalogRec>(node.record());
    if (!catalog)
        throw std::invalid_argument("not a catalog node");
    return *catalog;
}

TDiskRec& DiskOf(Node& node) {
    auto* disk = RecordAs<TDiskRec>(node.record());
    if (!disk)
        throw Error("The catalog holds an item without its data under \"" + node.text() + "\"; it cannot be saved.");
    return *disk;
}

}  // namespace

CatalogWriter::CatalogWriter(Node& catalogNode, ByteSink& sink, EncodeOptions options)
    : catalogNode_(catalogNode), catalog_(CatalogOf(catalogNode)), out_(sink, kBufferSize),
      options_(std::move(options)), lastMessagesMs_(NowMs()) {}

SaveShadow CatalogWriter::WriteCatalog() {
    writeCatalogHead(out_, catalogNode_.text(), catalog_.description, options_.lead);
    WriteCategories();
    for (const auto& child : catalogNode_.children()) {
        TDiskRec& disk = DiskOf(*child);
        if (catalog_.currentFormat && !disk.changed && disk.sectionPos >= 0)
            CopyDiskSectionFromOldFile(*child);
        else
            WriteDiskSection(*child);
    }
    out_.flush();
    return std::move(shadow_);
}

void CatalogWriter::WriteCategories() {
    StoredCategories block;
    block.categories.reserve(catalog_.categories.size());
    for (const CategoryEntry& c : catalog_.categories)
        block.categories.push_back({c.name, c.code});
    for (std::size_t i = 0; i < block.flagNames.size(); ++i)
        block.flagNames[i] = catalog_.flagNames[i];
    writeCategoryBlock(out_, block, options_.lead);
}

void CatalogWriter::CopyDiskSectionFromOldFile(Node& diskNode) {
    TDiskRec& disk = DiskOf(diskNode);
    if (disk.header.sectionSize <= 0)
        throw EInvalidCatalog(kStructureErrorMessage);
    const std::uint64_t sectionPos = out_.position();
    SaveShadow::Disk saved{&disk, storedOffset(sectionPos), disk.header};
    storedOffset(sectionPos + static_cast<std::uint64_t>(disk.header.sectionSize));
    CopyFileListFromOldFile(static_cast<std::uint64_t>(disk.sectionPos),
                            static_cast<std::uint64_t>(disk.header.sectionSize));
    shadow_.disks.push_back(saved);
    Step(DiskWeight(diskNode, disk));
}

void CatalogWriter::CopyFileListFromOldFile(std::uint64_t oldPosition, std::uint64_t size) {
    TReadAheadStream& old = OldFile("a part of the catalog");
    old.Seek(oldPosition);
    // Big pieces pass by both buffers: a copied disk costs about what copying its bytes does.
    if (copyBuffer_.empty())
        copyBuffer_.resize(kCopyChunk);
    while (size > 0) {
        const std::size_t want = static_cast<std::size_t>(std::min<std::uint64_t>(size, copyBuffer_.size()));
        const std::size_t got = old.Read(copyBuffer_.data(), want);
        if (got == 0)
            throw EIoError("The catalog file \"" + old.FileName() +
                           "\" ends before the data that was to be copied from it.");
        out_.bytes(copyBuffer_.data(), got);
        size -= got;
        PollMessages();
    }
}

TReadAheadStream& CatalogWriter::OldFile(const char* what) {
    if (!catalog_.reader)
        throw Error(std::string("The catalog file is not open, so ") + what + " cannot be copied from it.");
    return *catalog_.reader;
}

void CatalogWriter::WriteDiskSection(Node& diskNode) {
    TDiskRec& disk = DiskOf(diskNode);
    const std::int32_t oldSectionPos = disk.sectionPos;
    const std::uint64_t sectionPos = out_.position();
    SaveShadow::Disk saved{&disk, storedOffset(sectionPos), {}};
    // Lists of an old-format catalog read only to be rewritten; dropped once the
    // disk is written, so a big catalog does not fill memory.
    std::vector<Node*> loadedForSave;
    LoadForOldFormat(diskNode, disk, loadedForSave);

    StoredDiskStart start;
    start.flags = disk.flags;
    start.header = disk.header;
    start.name = diskNode.text();
    start.volume = disk.volume;
    start.label = disk.label;
    start.fileSystem = disk.fileSystem;
    start.virtualPath = disk.virtualPath;
    start.otherClusters = disk.otherClusters;
    start.description = disk.description;
    writeDiskStart(out_, start, disk.files.isBlockFromFile(), options_.lead);

    std::vector<BranchEntry> branch;
    std::vector<FileListPlacement> lists;
    WriteFolderBranch(diskNode, 0, oldSectionPos, sectionPos, branch, lists, loadedForSave);
    const std::int32_t folderTreeOffset = sectionOffset(out_.position(), sectionPos);

    for (std::size_t i = 1; i < branch.size(); ++i) {
        auto& folder = *RecordAs<TFolderRec>(branch[i].node->record());
        StoredFolderRecord rec{branch[i].node->text(), folder.stored, folder.description};
        const FileListPlacement& list = lists[i];
        rec.data.fileListOffset = list.offset;
        rec.data.fileListSize = list.size;
        rec.data.fileCount = list.count;
        rec.data.descriptionBytes = list.descriptionBytes;
        writeFolderRecord(out_, folder.flags, folder.files.isBlockFromFile(), branch[i].depth, rec, options_.lead);
        shadow_.folders.push_back({&folder, list});
        PollMessages();
    }

    const FileListPlacement& root = lists.front();
    DiskSectionHeader& h = saved.header;
    h.sectionSize = sectionOffset(out_.position(), sectionPos);
    h.folderTreeOffset = folderTreeOffset;
    h.rootListOffset = root.offset;
    h.rootListSize = root.size;
    h.rootFileCount = root.count;
    h.rootDescriptionBytes = root.descriptionBytes;
    patchSectionHeader(out_, sectionPos, h);
    shadow_.disks.push_back(saved);
    for (Node* node : loadedForSave)
        UnloadFileList(*node);
}

void CatalogWriter::LoadForOldFormat(Node& ownerNode, FileOwnerRecord& owner, std::vector<Node*>& loadedForSave) {
    if (catalog_.currentFormat || owner.loaded)
        return;
    LoadFileList(&ownerNode, options_.loadPrompt);
    if (owner.loaded)
        loadedForSave.push_back(&ownerNode);
}

void CatalogWriter::WriteFolderBranch(Node& node, std::size_t depth, std::int32_t oldSectionPos,
                                      std::uint64_t sectionPos, std::vector<BranchEntry>& branch,
                                      std::vector<FileListPlacement>& lists, std::vector<Node*>& loadedForSave) {
    if (depth > kMaxFolderDepth)
        throw ECatalogLimit("Folders nested deeper than 255 levels cannot be saved in a catalog.");
    FileListPlacement stored;
    FileOwnerRecord* owner = nullptr;
    if (auto* folder = RecordAs<TFolderRec>(node.record())) {
        owner = folder;
        stored = fileListOf(folder->stored);
    } else if (auto* disk = RecordAs<TDiskRec>(node.record())) {
        owner = disk;
        stored = rootListOf(disk->header);
    }
    if (!owner || (depth == 0) != (owner->kind() == ItemFlags::Disk))
        throw Error("The catalog holds an item without its data under \"" + node.text() + "\"; it cannot be saved.");

    if (depth > 0)
        LoadForOldFormat(node, *owner, loadedForSave);
    branch.push_back({&node, depth});
    lists.push_back(WriteFileList(*owner, stored, oldSectionPos, sectionPos));

    LoadSubfolders(&node, false, false, options_.loadPrompt);
    // A level still unread (no reader on the old file) would be dropped from the new file.
    auto* disk = RecordAs<TDiskRec>(owner);
    auto* folder = RecordAs<TFolderRec>(owner);
    if ((disk && !disk->topLevelRead) || (folder && folder->subfolderPos > 0))
        throw Error("The folders below \"" + node.text() + "\" could not be read from the catalog file, so they cannot be saved.");
    for (const auto& child : node.children())
        WriteFolderBranch(*child, depth + 1, oldSectionPos, sectionPos, branch, lists, loadedForSave);
    Step(OwnBytes(node));
}

FileListPlacement CatalogWriter::WriteFileList(FileOwnerRecord& owner, const FileListPlacement& stored,
                                               std::int32_t oldSectionPos, std::uint64_t sectionPos) {
    if (owner.loaded) {
        FileListEncoder encoder(out_, sectionPos, options_.lead);
        WriteItemChain(owner, encoder);
        shadow_.writtenLists.push_back(&owner);
        return encoder.finish();
    }
    if (stored.empty())
        return {};
    if (oldSectionPos < 0)
        throw EInvalidCatalog(kStructureErrorMessage);
    const std::uint64_t start = out_.position();
    FileListPlacement copied = stored;
    copied.offset = sectionOffset(start, sectionPos);
    CopyFileListFromOldFile(static_cast<std::uint64_t>(oldSectionPos) + static_cast<std::uint64_t>(stored.offset),
                            static_cast<std::uint64_t>(stored.size));
    storedOffset(out_.position() - sectionPos);
    return copied;
}

void CatalogWriter::WriteItemChain(const FileOwnerRecord& owner, FileListEncoder& encoder) {
    for (const TFileRec& file : owner.files) {
        encoder.add({file.name(), file.stored, file.description.view()});
        PollMessages();
    }
}

void CatalogWriter::Step(double bytes) {
    if (options_.progress && bytes > 0)
        options_.progress->stepWaitProgress(bytes);
}

std::uint64_t CatalogWriter::NowMs() const {
    if (options_.clockMs)
        return options_.clockMs();
    return static_cast<std::uint64_t>(
        std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now().time_since_epoch()).count());
}

void CatalogWriter::PollMessages() {
    if (!options_.processMessages)
        return;
    const std::uint64_t now = NowMs();
    if (now - lastMessagesMs_ < kMessageIntervalMs)
        return;
    lastMessagesMs_ = now;
    options_.processMessages();
}

SaveShadow EncodeCatalog(Node& catalogNode, ByteSink& sink, EncodeOptions options) {
    CatalogWriter writer(catalogNode, sink, std::move(options));
    return writer.WriteCatalog();
}

void CommitSave(Node& catalogNode, const SaveShadow& shadow, ReaderPtr reader, const std::string& fileName) {
    TCatalogRec& catalog = CatalogOf(catalogNode);
    for (const SaveShadow::Disk& d : shadow.disks) {
        d.disk->sectionPos = d.sectionPos;
        d.disk->header = d.header;
        d.disk->changed = false;
    }
    for (const SaveShadow::Folder& f : shadow.folders) {
        StoredFolder& s = f.folder->stored;
        s.fileListOffset = f.list.offset;
        s.fileListSize = f.list.size;
        s.fileCount = f.list.count;
        s.descriptionBytes = f.list.descriptionBytes;
    }
    for (FileOwnerRecord* owner : shadow.writtenLists)
        owner->files.markClean();
    catalog.reader = std::move(reader);
    catalog.fileName = fileName;
    catalog.currentFormat = true;
    SetCatalogModified(catalogNode, false);
}

std::uint64_t EstimateCatalogSize(const Node& catalogNode) {
    std::uint64_t size = 38;
    for (const auto& child : catalogNode.children()) {
        auto* disk = RecordAs<TDiskRec>(child->record());
        if (!disk)
            continue;
        size += 102 + 31 * std::uint64_t{disk->volume.fileCount} + 39 * std::uint64_t{disk->volume.folderCount};
    }
    return size;
}

double SaveProgressTotal(const Node& catalogNode) {
    double total = 0;
    for (const auto& child : catalogNode.children())
        if (auto* disk = RecordAs<TDiskRec>(child->record()))
            total += DiskWeight(*child, *disk);
    return total;
}

}  // namespace kv
