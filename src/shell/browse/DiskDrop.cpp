#include "shell/browse/DiskDrop.h"

#include "catalog/model/ItemRecords.h"

namespace kv {

namespace {

Node* diskNode(Node* node) { return node && node->record() && RecordAs<TDiskRec>(node->record()) ? node : nullptr; }

}  // namespace

std::vector<Node*> DraggedDisks(const DragItems& items) {
    std::vector<Node*> disks;
    if (items.node) {
        if (Node* disk = diskNode(items.node))
            disks.push_back(disk);
        return disks;
    }
    for (const ItemHead* rec : items.rows) {
        Node* disk = rec && rec->kind() == ItemFlags::Disk ? diskNode(rec->node) : nullptr;
        if (!disk)
            return {};
        disks.push_back(disk);
    }
    return disks;
}

bool CanDropDisks(const std::vector<Node*>& disks, const Node* target, bool searchRunning) {
    if (searchRunning || disks.empty() || !target || !target->record() || !RecordAs<TCatalogRec>(target->record()))
        return false;
    for (const Node* disk : disks)
        if (!disk->parent() || disk->parent() == target)
            return false;
    return true;
}

}  // namespace kv
