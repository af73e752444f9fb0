#pragma once
// Marking catalogs, disks and file lists as changed, so that saving writes them
// and the main window can update its commands.
#include "catalog/model/Node.h"

namespace kv {

// Sets the modified flag of the catalog above (or at) the node and tells the
// context's hook.
void SetCatalogModified(Node& node, bool value);

// Sets the Changed flag of the disk above (or at) the node; nothing when there
// is none. Marking changed also marks the catalog modified. Clearing leaves the
// catalog as it is, since its other disks may still hold changes.
void SetDiskModified(Node& node, bool value);

// A record of the folder's or disk's file list changed: the list cannot be read
// back from the file any more, and its disk is changed.
void SetFileListChanged(Node& ownerNode);

}  // namespace kv
