#include "catalog/model/ItemPath.h"

#include "catalog/model/Node.h"

namespace kv {

namespace {
constexpr char kSep = '\\';

Node* DiskNodeOf(const TFolderRec& folder) {
    return folder.diskNode ? folder.diskNode : FindAncestor<TDiskRec>(folder.node);
}

// The folder's full path; "" for a folder on no node.
std::string FolderPath(const TFolderRec& folder) {
    if (!folder.pathCache.empty())
        return folder.pathCache;
    std::string path;
    // Stops at the disk, and at the top of a detached node.
    for (const Node* n = folder.node; n && RecordAs<TFolderRec>(n->record()); n = n->parent())
        path.insert(0, kSep + n->text());
    folder.pathCache = path;
    return path;
}
}  // namespace

std::string GetItemPath(const ItemHead* rec, bool withName, bool withVirtualRoot) {
    if (const auto* file = RecordAs<TFileRec>(rec)) {
        rec = file->node ? file->node->record() : nullptr;
        withName = true;
    }
    std::string path;
    const Node* diskNode = nullptr;
    if (const auto* folder = RecordAs<TFolderRec>(rec)) {
        path = FolderPath(*folder);
        if (path.empty())
            return path;
        if (!withName)
            path.erase(path.rfind(kSep) + 1);
        diskNode = DiskNodeOf(*folder);
    } else if (RecordAs<TDiskRec>(rec)) {
        path = kSep;
        diskNode = rec->node;
    } else {
        return path;
    }

    const TDiskRec* disk = diskNode ? RecordAs<TDiskRec>(diskNode->record()) : nullptr;
    if (withVirtualRoot && disk && disk->isVirtual() && !disk->virtualPath.empty()) {
        std::string root = disk->virtualPath;
        if (root.back() != kSep)
            root += kSep;
        path.replace(0, 1, root);
    }
    if (path.size() > 1 && path.back() == kSep)
        path.pop_back();
    return path;
}

Node* GetItemOwner(const ItemHead* rec, OwnerQuery what) {
    if (!rec)
        return nullptr;
    switch (what) {
    case OwnerQuery::DiskOfOwner: {
        Node* owner = rec->node;
        const ItemRecord* ownerRec = owner ? owner->record() : nullptr;
        if (RecordAs<TDiskRec>(ownerRec))
            return owner;
        if (const auto* folder = RecordAs<TFolderRec>(ownerRec))
            return DiskNodeOf(*folder);
        return nullptr;
    }
    case OwnerQuery::DiskOfFolder: {
        const auto* folder = RecordAs<TFolderRec>(rec);
        return folder ? DiskNodeOf(*folder) : nullptr;
    }
    case OwnerQuery::OwnNode:
        return rec->node;
    }
    return nullptr;
}

}  // namespace kv
