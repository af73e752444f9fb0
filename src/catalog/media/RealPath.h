#pragma once
// Where a catalogued item lies on its medium once the medium is found: the one
// way the commands that reach the real files (copy, view, launch, Explorer,
// extract) build their paths, virtual roots included.
#include <string>
#include <string_view>

#include "catalog/model/ItemHead.h"

namespace kv {

// root + the item's path on its disk (a virtual disk's folder in place of its
// root) + its name, joined with single backslashes. root is "T:" or any folder
// standing for the medium's root. A disk gives its root with a backslash;
// anything on no disk gives "".
std::string RealPathOf(const ItemHead* item, std::string_view root);

// The folder holding the item on its medium (a disk: its root), as RealPathOf builds it.
std::string RealFolderOf(const ItemHead* item, std::string_view root);

// Joins folder and name with exactly one backslash between them.
std::string JoinRealPath(std::string_view folder, std::string_view name);

// A file record listed inside an archive (its folder node stands for the archive).
bool IsArchiveMember(const ItemHead* item);
// A folder record that stands for an archive file.
bool IsArchiveFolder(const ItemHead* item);

// A name that stays a single entry of the folder it is joined to: not empty,
// not "." or "..", without separators, drive or stream colons, wildcards,
// quotes, pipes, angle brackets or control characters. Names read from a
// catalog or an archive are checked before anything is written under them.
bool IsSafeLeafName(std::string_view name);

// The last part of a stored name, '/' and '\' both separating.
std::string_view LastPathPart(std::string_view name);

}  // namespace kv
