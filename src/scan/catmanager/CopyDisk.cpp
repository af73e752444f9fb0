#include "scan/catmanager/CopyDisk.h"

#include <vector>

#include "catalog/file/CatalogLoad.h"
#include "catalog/model/CatalogModified.h"
#include "catalog/model/FileRecord.h"
#include "catalog/model/Forest.h"
#include "catalog/model/FreeRecords.h"
#include "catalog/model/ResultLists.h"
#include "scan/DiskScanner.h"

namespace kv {

namespace {

// Reads the whole branch from the source file; the owners whose lists were
// read only now are noted, so a copy can let them go again.
void LoadBranch(Node& node, ui::UserPrompt* prompt, std::vector<Node*>& readNow) {
    auto* owner = RecordAs<FileOwnerRecord>(node.record());
    if (!owner)
        return;
    LoadSubfolders(&node, false, false, prompt);
    if (!owner->loaded) {
        LoadFileList(&node, prompt);
        if (owner->loaded) readNow.push_back(&node);
    }
    for (const auto& child : node.children()) LoadBranch(*child, prompt, readNow);
}

void CopyFiles(const FileOwnerRecord& from, FileOwnerRecord& to) {
    for (const TFileRec& file : from.files) {
        TFileRec& copy = to.addFile(MakeFileRec(file.name()));
        copy.flags = file.flags;
        copy.stored = file.stored;
        copy.iconIndex = file.iconIndex;
        copy.description.assign(file.description.view());
    }
}

std::unique_ptr<ItemRecord> CopyRecord(const ItemRecord& record) {
    if (const auto* disk = RecordAs<TDiskRec>(&record)) {
        auto copy = std::make_unique<TDiskRec>();
        copy->flags = disk->flags;
        copy->header = disk->header;
        copy->volume = disk->volume;
        copy->otherClusters = disk->otherClusters;
        copy->label = disk->label;
        copy->fileSystem = disk->fileSystem;
        copy->virtualPath = disk->virtualPath;
        copy->description = disk->description;
        CopyFiles(*disk, *copy);
        return copy;
    }
    const auto& folder = *RecordAs<TFolderRec>(&record);
    auto copy = std::make_unique<TFolderRec>();
    copy->flags = folder.flags;
    copy->subfolderPos = folder.subfolderPos > 0 ? 0 : folder.subfolderPos;
    copy->stored = folder.stored;
    copy->description = folder.description;
    CopyFiles(folder, *copy);
    return copy;
}

// The records of source's branch go to target's (move) or are copied there.
void CopyNodeContents(Node& source, Node& target, bool move) {
    Forest& forest = target.forest();
    std::unique_ptr<ItemRecord> record = move ? source.takeRecord() : CopyRecord(*source.record());
    if (auto* owner = RecordAs<FileOwnerRecord>(record.get())) {
        owner->loaded = true;
        // Held in memory until the target is saved: never dropped to be read
        // back from a file that is not the target's.
        owner->files.markDirty();
    }
    (void)target.setRecord(std::move(record));
    forest.setImages(target, source.image(), source.selectedImage());
    forest.setBold(target, source.bold());
    for (const auto& child : source.children()) {
        if (!RecordAs<TFolderRec>(child->record())) continue;
        Node& copy = forest.addChild(target, child->text());
        CopyNodeContents(*child, copy, move);
    }
    forest.setChildrenHint(target, !target.children().empty());
}

}  // namespace

Node& CopyDiskToCatalog(Node& sourceDisk, Node& targetCatalog, bool move, ui::UserPrompt* prompt,
                        const std::function<void(Node&)>& removeNode) {
    std::vector<Node*> readNow;
    LoadBranch(sourceDisk, prompt, readNow);
    Forest& forest = targetCatalog.forest();
    Node& target = forest.addChild(targetCatalog, UniqueDiskName(targetCatalog, sourceDisk.text(), nullptr));
    CopyNodeContents(sourceDisk, target, move);
    auto& disk = *RecordAs<TDiskRec>(target.record());
    // The new disk is not in the target's file: its section is written from memory.
    disk.sectionPos = -1;
    disk.topLevelRead = true;
    disk.changed = true;
    SetDiskModified(target, true);
    if (move) {
        SetCatalogModified(sourceDisk, true);
        // The nodes left behind hold no records any more.
        if (removeNode)
            removeNode(sourceDisk);
        else
            forest.remove(sourceDisk);
    } else {
        for (Node* node : readNow) UnloadFileList(*node);
    }
    return target;
}

}  // namespace kv
