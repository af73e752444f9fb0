#pragma once
// Turning the items chosen for Copy To into the job's list: what can be copied,
// in disk order, each thing once.
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "catalog/model/ItemHead.h"

namespace kv {

// One thing to copy from a medium.
struct CopyEntry {
    const ItemHead* record = nullptr;
    // The disk it lies on (its node): entries of one disk share one medium.
    const void* disk = nullptr;
    std::string diskName;
    // Its path on the medium from the root (a virtual disk's folder included), name included.
    std::string pathOnDisk;
    std::string name;
    bool folder = false;     // a folder to copy with its files (an archive counts as a file)
    // Catalogued bytes it stands for (a folder: its files, sub-folders only when they are copied).
    std::uint64_t bytes = 0;
};

struct CopyOptions {
    bool askOverwrite = true;
    bool reportMissing = true;
    bool subfolders = true;
};

// Keeps folders (archives included) and files that are not archive members, in
// the order of disk name (without case; disks of the same name stay apart), path,
// folders first; drops what a chosen folder's copy already copies. upRecord
// (the ".." row) is never copied.
std::vector<CopyEntry> PlanCopy(std::span<const ItemHead* const> items, const ItemHead* upRecord,
                                const CopyOptions& options);

// Whether path lies in folder or below it (path parts compared without case).
// With direct, only right in it.
bool PathWithin(std::string_view folder, std::string_view path, bool direct);

// 'Copy "name" to:' for one entry, "Copy n selected items to:" for more.
std::string CopyDestinationCaption(std::span<const CopyEntry> entries);
// Folders among the entries: the sub-folder option box shows.
bool AnyFolder(std::span<const CopyEntry> entries);

}  // namespace kv
