#include "catalog/model/CatalogModified.h"

#include "catalog/model/Forest.h"

namespace kv {

void SetCatalogModified(Node& node, bool value) {
    Node* top = &node;
    while (top->parent())
        top = top->parent();
    auto* catalog = RecordAs<TCatalogRec>(top->record());
    if (!catalog)
        return;
    catalog->modified = value;
    if (auto& hook = node.forest().context().onCatalogModified)
        hook(*top);
}

void SetDiskModified(Node& node, bool value) {
    Node* diskNode = FindAncestor<TDiskRec>(&node);
    if (!diskNode)
        return;
    RecordAs<TDiskRec>(diskNode->record())->changed = value;
    if (value)
        SetCatalogModified(*diskNode, true);
}

void SetFileListChanged(Node& ownerNode) {
    auto* owner = RecordAs<FileOwnerRecord>(ownerNode.record());
    if (!owner)
        return;
    owner->files.markDirty();
    SetDiskModified(ownerNode, true);
}

}  // namespace kv
