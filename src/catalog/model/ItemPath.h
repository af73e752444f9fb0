#pragma once
// Paths and owners of items, built from their tree nodes.
#include <string>

#include "catalog/model/ItemHead.h"

namespace kv {

class Node;

// The path of an item inside its disk, from the root with a leading backslash:
// for a folder its own path (without withName: its parent's), for a file the
// path of the folder holding it, for a disk "\", for anything else "". With
// withVirtualRoot a virtual disk's root is replaced by its VirtualPath. No
// trailing backslash except for the root alone.
std::string GetItemPath(const ItemHead* rec, bool withName, bool withVirtualRoot);

enum class OwnerQuery { DiskOfOwner = 1, DiskOfFolder = 2, OwnNode = 3 };

// DiskOfOwner: the disk node of a file's folder or disk (of a folder or disk
// record: its own disk node); DiskOfFolder: a folder record's disk node;
// OwnNode: the record's node. nullptr when there is none.
Node* GetItemOwner(const ItemHead* rec, OwnerQuery what);

}  // namespace kv
