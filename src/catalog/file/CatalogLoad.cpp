#include "catalog/file/CatalogLoad.h"

#include <algorithm>
#include <limits>
#include <vector>

#include "catalog/file/CatalogFormat.h"
#include "catalog/file/CatalogHeadCodec.h"
#include "catalog/file/DiskSectionCodec.h"
#include "catalog/model/ItemPath.h"
#include "catalog/file/ItemRecordCodec.h"
#include "catalog/file/SectionLayout.h"
#include "catalog/file/SectionWindow.h"

namespace kv {

namespace {

constexpr std::size_t kMaxLabelLength = 33;
constexpr std::size_t kMaxFileSystemLength = 8;
// The part of a section start that always precedes its file lists: flags and the six words.
constexpr std::uint64_t kMinSectionStart = 1 + kDiskHeaderBytes;

[[noreturn]] void Damaged() { throw EInvalidCatalog(kStructureErrorMessage); }

std::string Cut(std::string_view text, std::size_t limit) { return std::string(text.substr(0, limit)); }

TReadAheadStream* ReaderOf(Node* node) {
    Node* catalogNode = FindAncestor<TCatalogRec>(node);
    if (!catalogNode) return nullptr;
    return static_cast<TCatalogRec*>(catalogNode->record())->reader.get();
}

// The disk's section as the reader's file holds it: nothing when the disk is not in that file.
struct SectionRange {
    std::uint64_t pos = 0;
    std::uint64_t treeBegin = 0;
    std::uint64_t end = 0;
};

bool SectionOf(const TDiskRec& disk, SectionRange& range) {
    if (disk.sectionPos < 0) return false;
    const DiskSectionHeader& h = disk.header;
    range.pos = static_cast<std::uint64_t>(disk.sectionPos);
    range.treeBegin = range.pos + static_cast<std::uint64_t>(std::max(h.folderTreeOffset, 0));
    range.end = range.pos + static_cast<std::uint64_t>(std::max(h.sectionSize, 0));
    return true;
}

void ReportDamagedList(const FileOwnerRecord& owner, ui::UserPrompt* prompt) {
    if (!prompt) return;
    std::string text = "Program detected an error while trying to load files in folder \"" +
                       GetItemPath(&owner, true, false) + "\". Catalog file may be damaged.\r\n" +
                       "Program will try to recover by skipping the rest of files in this folder.";
    prompt->ask({std::move(text), "Error Loading Catalog", ui::PromptButtons::Ok, ui::PromptIcon::Stop});
}

// Reads one stored list into the owner's chain. The placement was checked against the section.
void ReadFileBlock(TReadAheadStream& stream, FileOwnerRecord& owner, const SectionRange& section,
                   const FileListPlacement& list, ui::UserPrompt* prompt) {
    const std::uint64_t begin = section.pos + static_cast<std::uint64_t>(list.offset);
    const std::uint64_t size = static_cast<std::uint64_t>(list.size);
    // Whatever is not fixed fields or descriptions is names.
    const std::uint64_t nameBytes = size - list.descriptionBytes - std::uint64_t{1 + kStoredFileBytes} * list.count;
    owner.files.reserveBlock(list.count, static_cast<std::size_t>(nameBytes));

    const std::uint8_t inherited = owner.flags & ItemFlags::Archive;
    SectionWindow window(stream, begin, begin + size);
    std::uint32_t read = 0;
    bool described = false;
    try {
        while (!window.atEnd() && read < list.count) {
            StoredFileRecord stored = window.next([](BoundedReader& in) { return readFileRecord(in); });
            TFileRec& file = owner.addFileFromFile(stored.name);
            file.flags = ItemFlags::File | inherited;
            file.stored = stored.data;
            if (!stored.description.empty()) {
                file.description.assign(stored.description);
                described = true;
            }
            ++read;
        }
        if (read != list.count || !window.atEnd()) Damaged();
    } catch (const EInvalidCatalog&) {
        ReportDamagedList(owner, prompt);
    } catch (const ETruncated&) {
        ReportDamagedList(owner, prompt);
    }
    // Set once the records are all there: a search walk that sees the mark
    // (older catalogs lack it) then finds the whole list.
    if (described) SetFlag(owner.flags, ItemFlags::HasDescriptions, true);
}

struct FolderPass {
    TReadAheadStream& stream;
    Node* diskNode;
    SectionRange section;
    bool recursive;
    bool withFiles;
    ui::UserPrompt* prompt;
};

TFolderRec& MakeFolder(Forest& forest, Node& parent, Node* diskNode, const FolderRecordHead& head,
                       const StoredFolderRecord& stored, const SectionRange& section) {
    checkFileList(fileListOf(stored.data), kMinSectionStart,
                  static_cast<std::int32_t>(section.treeBegin - section.pos));
    auto rec = std::make_unique<TFolderRec>();
    rec->flags = head.flags & static_cast<std::uint8_t>(~(ItemFlags::FileBlock | ItemFlags::InSearchScope));
    rec->stored = stored.data;
    rec->loaded = stored.data.fileListOffset < 0;
    rec->description = std::string(stored.description);
    rec->diskNode = diskNode;
    TFolderRec& folder = *rec;
    Node& node = forest.addChild(parent, std::string(stored.name));
    (void)node.setRecord(std::move(rec));
    return folder;
}

// The folder records from the window's position on, as long as they are at or below
// startDepth: the level at startDepth made under `start`, or with recursive the whole branch.
void ReadFolderRecords(const FolderPass& pass, SectionWindow& window, Node& start, int startDepth) {
    Forest& forest = start.forest();
    Node* parent = &start;
    int currentDepth = startDepth;
    int previousDepth = startDepth - 1;
    Node* madeLast = nullptr;
    while (!window.atEnd()) {
        const std::uint64_t recordPos = window.position();
        const FolderRecordHead head = window.next([](BoundedReader& in) { return readFolderRecordHead(in); });
        const int d = head.depth;
        if (d == 0) Damaged();
        if (d < startDepth) break;
        // Pre-order: a record is at most one level below the one before it.
        if (d > previousDepth + 1) Damaged();
        previousDepth = d;
        const auto offset = static_cast<std::int32_t>(recordPos - pass.section.pos);

        if (d == currentDepth + 1) {
            if (!madeLast) Damaged();
            auto* folder = static_cast<TFolderRec*>(madeLast->record());
            if (folder->subfolderPos == 0) folder->subfolderPos = offset;
            forest.setChildrenHint(*madeLast, true);
        }
        if (pass.recursive) {
            while (currentDepth > d) {
                parent = parent->parent();
                --currentDepth;
            }
        }
        if (d != currentDepth) {
            window.next([](BoundedReader& in) {
                skipFolderRecordBody(in);
                return 0;
            });
            continue;
        }
        const StoredFolderRecord stored = window.next([](BoundedReader& in) { return readFolderRecordBody(in); });
        if (pass.recursive && parent != &start) {
            // The parent's level is being read in this pass.
            auto* parentRec = static_cast<TFolderRec*>(parent->record());
            if (parentRec->subfolderPos == 0) parentRec->subfolderPos = -offset;
        }
        MakeFolder(forest, *parent, pass.diskNode, head, stored, pass.section);
        madeLast = parent->children().back().get();
        if (pass.withFiles) LoadFileList(madeLast, pass.prompt);
        if (pass.recursive) {
            parent = madeLast;
            currentDepth = d + 1;
        }
    }
}

void RemoveChildrenNotIn(Node& node, const std::vector<Node*>& keep) {
    for (std::size_t i = node.children().size(); i-- > 0;) {
        Node* child = node.children()[i].get();
        if (std::find(keep.begin(), keep.end(), child) == keep.end()) node.forest().remove(*child);
    }
}

void LoadChildrenOf(Node* node, bool withFiles, ui::UserPrompt* prompt) {
    for (const auto& child : node->children()) LoadSubfolders(child.get(), true, withFiles, prompt);
}

TDiskRec& DiskOf(Node* diskNode) { return *static_cast<TDiskRec*>(diskNode->record()); }

}  // namespace

void LoadFileList(Node* node, ui::UserPrompt* prompt) {
    if (!node) return;
    auto* owner = RecordAs<FileOwnerRecord>(node->record());
    if (!owner || owner->loaded) return;
    Node* diskNode = FindAncestor<TDiskRec>(node);
    TReadAheadStream* stream = ReaderOf(node);
    SectionRange section;
    if (!diskNode || !stream || !SectionOf(DiskOf(diskNode), section)) return;

    FileListPlacement list;
    if (auto* folder = RecordAs<TFolderRec>(owner))
        list = fileListOf(folder->stored);
    else
        list = rootListOf(static_cast<TDiskRec*>(owner)->header);
    if (!list.empty()) {
        checkFileList(list, kMinSectionStart, DiskOf(diskNode).header.folderTreeOffset);
        try {
            ReadFileBlock(*stream, *owner, section, list, prompt);
        } catch (...) {
            // Not a damaged list but a failing device: leave it unread for a later try.
            owner->files.clear();
            throw;
        }
    }
    owner->loaded = true;
}

void LoadSubfolders(Node* node, bool recursive, bool withFiles, ui::UserPrompt* prompt) {
    if (!node) return;
    ItemRecord* rec = node->record();
    auto* disk = RecordAs<TDiskRec>(rec);
    auto* folder = RecordAs<TFolderRec>(rec);
    if (!disk && !folder) return;

    Node* diskNode = disk ? node : FindAncestor<TDiskRec>(node);
    TReadAheadStream* stream = ReaderOf(node);
    SectionRange section;
    const bool levelRead = disk ? disk->topLevelRead : folder->subfolderPos <= 0;
    if (levelRead || !diskNode || !stream || !SectionOf(DiskOf(diskNode), section)) {
        if (withFiles) LoadFileList(node, prompt);
        if (recursive) LoadChildrenOf(node, withFiles, prompt);
        return;
    }

    if (withFiles) LoadFileList(node, prompt);
    std::uint64_t from = section.treeBegin;
    if (folder) {
        from = section.pos + static_cast<std::uint64_t>(folder->subfolderPos);
        if (from < section.treeBegin || from >= section.end) Damaged();
    }
    const int startDepth = node->level() - diskNode->level() + 1;
    FolderPass pass{*stream, diskNode, section, recursive, withFiles, prompt};
    SectionWindow window(*stream, from, section.end);
    std::vector<Node*> before;
    for (const auto& child : node->children()) before.push_back(child.get());
    try {
        ReadFolderRecords(pass, window, *node, startDepth);
    } catch (...) {
        // A level read in part stays unread and shows nothing: marked read, a save of its
        // disk would drop the folders after the damage without a word. Read again (by a
        // later expand or the save) it meets the damage again and says so.
        RemoveChildrenNotIn(*node, before);
        throw;
    }
    if (disk)
        disk->topLevelRead = true;
    else
        folder->subfolderPos = -folder->subfolderPos;
}

Node* ReadCatalogFile(Forest& forest, IFileSystem& files, const std::string& fileName) {
    auto open = [&files](const std::string& name) { return files.OpenReadDenyWrite(name); };
    return ReadCatalog(forest, TReadAheadStream::Open(open, fileName));
}

Node* ReadCatalogFile(Forest& forest, const std::string& fileName) {
    return ReadCatalogFile(forest, *MakeSystemFileSystem(), fileName);
}

namespace {

void ReadCategories(TCatalogRec& catalog, const StoredCategories& block) {
    catalog.categories.clear();
    for (const StoredCategory& c : block.categories) catalog.categories.push_back({std::string(c.name), c.code});
    for (std::size_t i = 0; i < catalog.flagNames.size(); ++i) catalog.flagNames[i] = std::string(block.flagNames[i]);
}

Node& ReadCatalogHeader(Forest& forest, SectionWindow& window, ReaderPtr reader) {
    struct Head {
        StoredCatalogHead head;
        StoredCategories categories;
    };
    // Views into the window: copied before the next read.
    Head h = window.next([](BoundedReader& in) {
        Head r;
        r.head = readCatalogHead(in);
        return r;
    });
    auto rec = std::make_unique<TCatalogRec>();
    rec->currentFormat = h.head.version.isCurrentFormat();
    rec->modified = !rec->currentFormat;
    rec->description = std::string(h.head.description);
    rec->fileName = reader->FileName();
    TCatalogRec& catalog = *rec;
    Node& node = forest.addRoot(std::string(h.head.name));
    (void)node.setRecord(std::move(rec));
    forest.setBold(node, true);
    ReadCategories(catalog, window.next([](BoundedReader& in) { return readCategoryBlock(in); }));
    catalog.reader = std::move(reader);
    return node;
}

Node& ReadDiskHeader(Forest& forest, Node& catalogNode, SectionWindow& window, std::uint64_t fileSize) {
    const std::uint64_t sectionPos = window.position();
    if (sectionPos > static_cast<std::uint64_t>(std::numeric_limits<std::int32_t>::max())) Damaged();
    const StoredDiskStart d = window.next([](BoundedReader& in) { return readDiskStart(in); });
    checkSectionHeader(d.header, window.position() - sectionPos, fileSize - sectionPos);

    auto rec = std::make_unique<TDiskRec>();
    rec->flags = (d.flags | ItemFlags::InSearchScope) & static_cast<std::uint8_t>(~ItemFlags::FileBlock);
    rec->sectionPos = static_cast<std::int32_t>(sectionPos);
    rec->header = d.header;
    rec->loaded = d.header.rootListOffset < 0;
    rec->changed = false;
    rec->topLevelRead = false;
    rec->volume = d.volume;
    rec->label = Cut(d.label, kMaxLabelLength);
    rec->fileSystem = Cut(d.fileSystem, kMaxFileSystemLength);
    rec->virtualPath = std::string(d.virtualPath);
    rec->otherClusters = d.otherClusters;
    rec->description = std::string(d.description);
    Node& node = forest.addChild(catalogNode, std::string(d.name));
    (void)node.setRecord(std::move(rec));
    return node;
}

}  // namespace

Node* ReadCatalog(Forest& forest, ReaderPtr reader) {
    TReadAheadStream& stream = *reader;
    const std::uint64_t fileSize = stream.Size();
    char signature[kCatalogHeaderBytes];
    stream.Seek(0);
    if (stream.Read(signature, sizeof signature) != sizeof signature ||
        std::string_view(signature, kCatalogSignature.size()) != kCatalogSignature)
        throw EInvalidCatalog(kNotACatalogMessage);

    Node* catalogNode = nullptr;
    try {
        SectionWindow head(stream, 0, fileSize);
        catalogNode = &ReadCatalogHeader(forest, head, std::move(reader));
        std::uint64_t pos = head.position();
        while (pos < fileSize) {
            SectionWindow start(stream, pos, fileSize);
            Node& diskNode = ReadDiskHeader(forest, *catalogNode, start, fileSize);
            LoadSubfolders(&diskNode);
            // Never zero: the section holds at least its own start.
            pos += static_cast<std::uint64_t>(DiskOf(&diskNode).header.sectionSize);
        }
    } catch (const ETruncated&) {
        if (catalogNode) forest.remove(*catalogNode);
        throw EInvalidCatalog(kStructureErrorMessage);
    } catch (...) {
        if (catalogNode) forest.remove(*catalogNode);
        throw;
    }
    return catalogNode;
}

}  // namespace kv
