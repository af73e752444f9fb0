#pragma once
// Encoding an open catalog into the bytes of a new catalog file. Disks that did
// not change and file lists never loaded are copied byte for byte from the file
// the catalog's reader has open; the rest is written from memory. Nothing in
// the model changes while writing: the new positions and counts go into a
// SaveShadow, which CommitSave applies once the new file is safely in place.
#include <cstdint>
#include <functional>
#include <utility>
#include <vector>

#include "base/BufferedWriter.h"
#include "base/ByteSink.h"
#include "catalog/model/Node.h"
#include "catalog/file/SectionLayout.h"
#include "catalog/file/StoredText.h"
#include "ui/UserPrompt.h"

namespace kv {

class WaitProgress;

// What the new file stores about the records, applied only on success.
struct SaveShadow {
    struct Disk {
        TDiskRec* disk = nullptr;
        std::int32_t sectionPos = -1;
        DiskSectionHeader header;
    };
    struct Folder {
        TFolderRec* folder = nullptr;
        FileListPlacement list;
    };
    std::vector<Disk> disks;
    std::vector<Folder> folders;
    // Lists written from memory: the new file stores them as they are.
    std::vector<FileOwnerRecord*> writtenLists;
};

struct EncodeOptions {
    WaitProgress* progress = nullptr;  // stepped in whole bytes; may be null
    LeadBytes lead;
    // Where a damaged list met while loading for the save is reported; may be null.
    ui::UserPrompt* loadPrompt = nullptr;
    // Pending window messages, let through every 40 ms or so while writing; may be empty.
    std::function<void()> processMessages;
    // Milliseconds from any fixed start; empty for the system's steady clock.
    std::function<std::uint64_t()> clockMs;
};

class CatalogWriter {
public:
    static constexpr std::size_t kBufferSize = 32768;
    static constexpr std::size_t kCopyChunk = 1 << 18;
    static constexpr std::uint64_t kMessageIntervalMs = 40;

    // Writes from the sink's current end. The catalog's reader supplies what is copied.
    CatalogWriter(Node& catalogNode, ByteSink& sink, EncodeOptions options = {});
    CatalogWriter(const CatalogWriter&) = delete;
    CatalogWriter& operator=(const CatalogWriter&) = delete;

    // The whole file; everything reaches the sink (not yet stable storage).
    // Throws on any failure (EIoError, ECatalogLimit, a short copy, damage met
    // while loading); the model is then as it was, apart from levels and lists
    // read from the old file on the way.
    SaveShadow WriteCatalog();

    void WriteCategories();
    void WriteDiskSection(Node& diskNode);
    void CopyDiskSectionFromOldFile(Node& diskNode);
    // Appends `size` bytes of the old file from `oldPosition`; a short copy throws.
    void CopyFileListFromOldFile(std::uint64_t oldPosition, std::uint64_t size);

private:
    struct BranchEntry {
        Node* node;
        std::size_t depth;
    };

    FileListPlacement WriteFileList(FileOwnerRecord& owner, const FileListPlacement& stored, std::int32_t oldSectionPos,
                                    std::uint64_t sectionPos);
    // Pass 1 in pre-order; fills `branch` for pass 2.
    void WriteFolderBranch(Node& node, std::size_t depth, std::int32_t oldSectionPos, std::uint64_t sectionPos,
                           std::vector<BranchEntry>& branch, std::vector<FileListPlacement>& lists,
                           std::vector<Node*>& loadedForSave);
    // Every list of an old-format catalog is rewritten from memory.
    void LoadForOldFormat(Node& ownerNode, FileOwnerRecord& owner, std::vector<Node*>& loadedForSave);
    void WriteItemChain(const FileOwnerRecord& owner, FileListEncoder& encoder);
    TReadAheadStream& OldFile(const char* what);
    void Step(double bytes);
    std::uint64_t NowMs() const;
    // Lets pending messages through when kMessageIntervalMs have passed.
    void PollMessages();

    Node& catalogNode_;
    TCatalogRec& catalog_;
    BufferedWriter out_;
    EncodeOptions options_;
    SaveShadow shadow_;
    std::vector<std::uint8_t> copyBuffer_;
    std::uint64_t lastMessagesMs_ = 0;
};

// Model + old reader → the sink. See CatalogWriter::WriteCatalog.
SaveShadow EncodeCatalog(Node& catalogNode, ByteSink& sink, EncodeOptions options = {});

// After the new file is in place and `reader` is open on it: the records take
// the new positions, disks and lists count as saved, the catalog as unmodified,
// current format, with `fileName`.
void CommitSave(Node& catalogNode, const SaveShadow& shadow, ReaderPtr reader, const std::string& fileName);

// Bytes the catalog is expected to take: 38 + 102 per disk + 31 per file + 39 per folder.
std::uint64_t EstimateCatalogSize(const Node& catalogNode);

// The progress total of a save, in bytes: per disk the total size of its
// top-level folders, or, without folders, its total space.
double SaveProgressTotal(const Node& catalogNode);

}  // namespace kv
