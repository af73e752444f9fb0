#pragma once
// Dropping dragged disks on the catalog tree: the disks a drag from the tree
// or the list carries, and whether they may move into the catalog under the
// mouse.
#include <vector>

#include "catalog/model/ItemHead.h"
#include "catalog/model/Node.h"

namespace kv {

// What a drag carries: a tree node, or the list's selected rows.
struct DragItems {
    Node* node = nullptr;
    std::vector<const ItemHead*> rows;
};

// The disk nodes of the drag; empty unless everything dragged is a disk.
std::vector<Node*> DraggedDisks(const DragItems& items);

// Disks move only into a catalog other than their own, and never while a
// search walks the catalogs.
bool CanDropDisks(const std::vector<Node*>& disks, const Node* target, bool searchRunning);

}  // namespace kv
