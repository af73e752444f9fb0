#pragma once
// Renaming in place: which nodes may be renamed and the names disks get.
#include <string>
#include <string_view>

#include "catalog/model/Forest.h"

namespace kv {

// Catalog and disk nodes only.
bool CanRenameNode(const Node& node);

// `wanted` when no other disk of the catalog has that name (ignoring case),
// else its stem (without a counter suffix) with the first free " (n)", n >= 2.
// The disk itself never counts, so renaming it to its own name keeps it.
std::string UniqueDiskName(const Node& disk, std::string_view wanted);

// Applies the edited text: empty keeps the old name; a disk's name is made
// unique and marks the disk changed; a catalog's marks it modified. False when
// nothing changed.
bool RenameNode(Forest& forest, Node& node, std::string_view text);

}  // namespace kv
