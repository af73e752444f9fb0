#include "shell/copy/CopyPlan.h"

#include <algorithm>
#include <map>

#include "base/text/AnsiCase.h"
#include "catalog/media/RealPath.h"
#include "catalog/model/ItemPath.h"
#include "catalog/model/ItemRecords.h"
#include "catalog/model/Node.h"

namespace kv {

namespace {

std::string Lower(std::string_view s) { return lowerCase(s, cp1252CaseMap()); }

// Bytes a folder's copy moves: its total, less the sub-folders it leaves out.
std::uint64_t FolderBytes(const Node& node, bool subfolders) {
    const auto* rec = RecordAs<TFolderRec>(node.record());
    std::int64_t raw = rec ? rec->stored.totalSize.raw : 0;
    if (!subfolders)
        for (const auto& child : node.children()) {
            const ItemRecord* sub = child->record();
            // An archive shown as a folder is a file of this folder: it is copied.
            if (const auto* f = RecordAs<TFolderRec>(sub); f && !IsArchiveFolder(f))
                raw -= f->stored.totalSize.raw;
        }
    return raw > 0 ? static_cast<std::uint64_t>(raw / FixedSize::kScale) : 0;
}

}  // namespace

bool PathWithin(std::string_view folder, std::string_view path, bool direct) {
    if (path.size() <= folder.size() + 1)
        return false;
    if (Lower(path.substr(0, folder.size())) != Lower(folder) || path[folder.size()] != '\\')
        return false;
    return !direct || path.find('\\', folder.size() + 1) == std::string_view::npos;
}

std::vector<CopyEntry> PlanCopy(std::span<const ItemHead* const> items, const ItemHead* upRecord,
                                const CopyOptions& options) {
    std::vector<CopyEntry> entries;
    for (const ItemHead* rec : items) {
        if (!rec || rec == upRecord)
            continue;
        const bool folder = rec->kind() == ItemFlags::Folder;
        if (!folder && (rec->kind() != ItemFlags::File || IsArchiveMember(rec)))
            continue;
        const Node* disk = GetItemOwner(rec, folder ? OwnerQuery::DiskOfFolder : OwnerQuery::DiskOfOwner);
        if (!disk)
            continue;
        CopyEntry e;
        e.record = rec;
        e.disk = disk;
        e.diskName = disk->text();
        e.pathOnDisk = RealPathOf(rec, "");
        e.folder = folder && !IsArchiveFolder(rec);
        if (const auto* file = RecordAs<TFileRec>(rec)) {
            e.name = std::string(file->name());
            e.bytes = file->stored.size;
        } else {
            e.name = rec->node ? rec->node->text() : std::string();
            if (e.folder)
                e.bytes = rec->node ? FolderBytes(*rec->node, options.subfolders) : 0;
            else if (const auto* f = RecordAs<TFolderRec>(rec))
                e.bytes = f->stored.totalSize.raw > 0 ? f->stored.totalSize.raw / FixedSize::kScale : 0;
        }
        entries.push_back(std::move(e));
    }

    // Disks of the same name (in different catalogs) keep their entries apart.
    std::map<const void*, std::size_t> diskOrder;
    for (const CopyEntry& e : entries)
        diskOrder.emplace(e.disk, diskOrder.size());
    struct Key {
        std::string disk;
        std::size_t diskIndex;
        std::string folder;
        bool isFile;
        std::string name;
    };
    std::vector<std::pair<Key, CopyEntry>> keyed;
    keyed.reserve(entries.size());
    for (CopyEntry& e : entries) {
        const std::size_t cut = e.pathOnDisk.rfind('\\');
        Key k{Lower(e.diskName), diskOrder[e.disk], Lower(e.pathOnDisk.substr(0, cut)), !e.folder,
              Lower(e.name)};
        keyed.emplace_back(std::move(k), std::move(e));
    }
    std::stable_sort(keyed.begin(), keyed.end(), [](const auto& a, const auto& b) {
        const Key& x = a.first;
        const Key& y = b.first;
        return std::tie(x.disk, x.diskIndex, x.folder, x.isFile, x.name) <
               std::tie(y.disk, y.diskIndex, y.folder, y.isFile, y.name);
    });

    // Drop what a chosen folder of the same disk copies anyway: its files, and
    // deeper items only when sub-folders go too.
    std::vector<CopyEntry> result;
    for (auto& [key, e] : keyed) {
        const bool covered = std::any_of(result.begin(), result.end(), [&](const CopyEntry& f) {
            if (!f.folder || f.disk != e.disk)
                return false;
            return options.subfolders ? PathWithin(f.pathOnDisk, e.pathOnDisk, false)
                                      : !e.folder && PathWithin(f.pathOnDisk, e.pathOnDisk, true);
        });
        if (!covered)
            result.push_back(std::move(e));
    }
    return result;
}

std::string CopyDestinationCaption(std::span<const CopyEntry> entries) {
    if (entries.size() == 1)
        return "Copy \"" + entries.front().name + "\" to:";
    return "Copy " + std::to_string(entries.size()) + " selected items to:";
}

bool AnyFolder(std::span<const CopyEntry> entries) {
    return std::any_of(entries.begin(), entries.end(), [](const CopyEntry& e) { return e.folder; });
}

}  // namespace kv
