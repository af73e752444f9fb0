#include "catalog/model/FreeRecords.h"

#include "catalog/model/Forest.h"
#include "catalog/model/ResultLists.h"

namespace kv {

namespace {
bool HasStoredList(const FileOwnerRecord& owner) {
    if (auto* folder = RecordAs<TFolderRec>(&owner))
        return folder->stored.fileListOffset >= 0;
    auto* disk = RecordAs<TDiskRec>(&owner);
    return disk && disk->header.rootListOffset >= 0;
}
}  // namespace

void FreeFileBlock(ModelContext& ctx, FileOwnerRecord& owner, bool unloadOnly) {
    if (!unloadOnly) {
        for (TFileRec& file : owner.files)
            UnlinkFromResultLists(ctx, file);
    }
    owner.files.clear();
}

void FreeNodeData(Node& node, bool freeHead, bool unloadOnly) {
    ItemRecord* rec = node.record();
    if (!rec)
        return;
    ModelContext& ctx = node.forest().context();
    if (auto* owner = RecordAs<FileOwnerRecord>(rec)) {
        owner->loaded = false;
        FreeFileBlock(ctx, *owner, unloadOnly);
    }
    if (!freeHead)
        return;
    if (!unloadOnly)
        UnlinkFromResultLists(ctx, *rec);
    std::unique_ptr<ItemRecord> doomed = node.takeRecord();
}

bool CanUnloadFileList(const ModelContext& ctx, const FileOwnerRecord& owner) {
    if (owner.files.isDirty() || owner.files.pinCount() != 0)
        return false;
    for (const TFileRec& file : owner.files) {
        if (IsInAnyResultList(ctx, file))
            return false;
    }
    return true;
}

bool UnloadFileList(Node& node) {
    auto* owner = RecordAs<FileOwnerRecord>(node.record());
    if (!owner)
        return false;
    if (!CanUnloadFileList(node.forest().context(), *owner))
        return false;
    if (!HasStoredList(*owner))
        return true;
    FreeNodeData(node, false, true);
    return true;
}

}  // namespace kv
