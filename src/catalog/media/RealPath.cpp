#include "catalog/media/RealPath.h"

#include "catalog/model/ItemPath.h"
#include "catalog/model/ItemRecords.h"
#include "catalog/model/Node.h"

namespace kv {

std::string JoinRealPath(std::string_view folder, std::string_view name) {
    std::string path(folder);
    while (!name.empty() && (name.front() == '\\' || name.front() == '/'))
        name.remove_prefix(1);
    if (name.empty())
        return path;
    if (path.empty() || (path.back() != '\\' && path.back() != '/'))
        path += '\\';
    path += name;
    return path;
}

std::string RealFolderOf(const ItemHead* item, std::string_view root) {
    if (!item)
        return {};
    const bool ownPath = RecordAs<TDiskRec>(item) != nullptr;
    // A folder's own path less its name; a file's path is its folder's already.
    const std::string onDisk = GetItemPath(item, ownPath, true);
    if (onDisk.empty())
        return {};
    std::string folder = JoinRealPath(root, onDisk);
    if (folder.empty() || (folder.back() != '\\' && folder.back() != '/' && folder.size() == root.size()))
        folder += '\\';
    return folder;
}

std::string RealPathOf(const ItemHead* item, std::string_view root) {
    if (!item)
        return {};
    if (const auto* file = RecordAs<TFileRec>(item)) {
        const std::string folder = RealFolderOf(item, root);
        return folder.empty() ? folder : JoinRealPath(folder, file->name());
    }
    if (RecordAs<TFolderRec>(item)) {
        const std::string onDisk = GetItemPath(item, true, true);
        return onDisk.empty() ? onDisk : JoinRealPath(root, onDisk);
    }
    if (RecordAs<TDiskRec>(item))
        return RealFolderOf(item, root);
    return {};
}

bool IsArchiveMember(const ItemHead* item) {
    if (!item || item->kind() != ItemFlags::File || !HasFlag(item->flags, ItemFlags::Archive) || !item->node)
        return false;
    const ItemRecord* owner = item->node->record();
    return owner && owner->kind() == ItemFlags::Folder && HasFlag(owner->flags, ItemFlags::Archive);
}

bool IsArchiveFolder(const ItemHead* item) {
    return item && item->kind() == ItemFlags::Folder && HasFlag(item->flags, ItemFlags::Archive);
}

bool IsSafeLeafName(std::string_view name) {
    if (name.empty() || name == "." || name == "..")
        return false;
    for (const char ch : name) {
        const auto c = static_cast<unsigned char>(ch);
        if (c < 32)
            return false;
        switch (c) {
        case '\\': case '/': case ':': case '*': case '?': case '"': case '<': case '>': case '|':
            return false;
        default: break;
        }
    }
    return true;
}

std::string_view LastPathPart(std::string_view name) {
    const std::size_t cut = name.find_last_of("\\/");
    return cut == std::string_view::npos ? name : name.substr(cut + 1);
}

}  // namespace kv
