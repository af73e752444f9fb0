#pragma once
// What the main list shows for a tree node, and the texts and flags around its rows.
#include <cstdint>
#include <string>
#include <string_view>

#include "catalog/model/Node.h"
#include "shell/browse/ItemSort.h"

namespace kv {

// The rows of a node in list order before sorting: for a folder the ".." row
// (when upRow is given), then the child records in tree order, then the file
// chain; for a disk the child folders and the root files; for a catalog its
// disks. The file list must already be present.
ItemList ItemRowsOf(const Node& node, const ItemHead* upRow);

// The ".." row's description: "Back to root of <disk>" right under a disk,
// else "Back to <parent> (folder)"; empty for a node with no parent.
std::string BackToText(const Node& folderNode);

// The bytes a row stands for in the totals: a file's size, a folder's total,
// a disk's capacity.
std::uint64_t ItemBytes(const ItemHead* rec);

// "Total: 3 items, 1.5 kB" or, for a selection, "Selected: 1 item, 10 B".
std::string ListTotalsText(bool selection, std::size_t count, std::uint64_t bytes,
                           std::string_view decimalSeparator = ".");

}  // namespace kv
