#pragma once
// The order of a report sorted by source: catalog by catalog (by name), in each
// the disk rows first, then every disk's items (disks by name) by the path of
// the folder holding them, taken folder by folder; in each folder its
// subfolders before its files (an archive counts as a file). Rows of two
// catalogs or disks with equal names never mix. Stable.
#include <atomic>
#include <vector>

#include "catalog/model/ItemHead.h"

namespace kv {

// False when cancel was set: the rows keep their order then.
bool SortItemsBySource(std::vector<const ItemHead*>& rows, const std::atomic<bool>* cancel = nullptr);

}  // namespace kv
