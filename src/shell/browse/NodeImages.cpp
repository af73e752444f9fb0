#include "shell/browse/NodeImages.h"

namespace kv {

NodeImagePair NodeImagesFor(const ItemRecord* rec, const ItemIcons& icons) {
    if (RecordAs<TCatalogRec>(rec))
        return {icons.catalog, icons.catalog};
    if (const auto* disk = RecordAs<TDiskRec>(rec)) {
        const int drive = GetDriveIcon(icons, disk->volume.mediaType, disk->flags);
        return {drive, drive};
    }
    if (const auto* folder = RecordAs<TFolderRec>(rec)) {
        if (HasFlag(folder->flags, ItemFlags::Archive))
            return {icons.archiveFolder, icons.archiveOpenFolder};
        return {icons.closedFolder, icons.openFolder};
    }
    return {};
}

int RowImage(const ItemHead* rec, const ItemIcons& icons, const ItemHead* upRecord,
             const std::function<int(std::string_view fileName)>& fileIcon) {
    if (!rec)
        return -1;
    if (rec == upRecord)
        return icons.back;
    if (const auto* file = RecordAs<TFileRec>(rec)) {
        if (file->iconIndex < 0 && fileIcon) {
            // The cache slot is not catalog data: filling it leaves the record as it was.
            const int index = fileIcon(file->name());
            const_cast<TFileRec*>(file)->iconIndex = static_cast<std::int16_t>(index >= 0 && index < 32768 ? index : 0);
        }
        return file->iconIndex < 0 ? icons.unknownFile : file->iconIndex;
    }
    if (RecordAs<TFolderRec>(rec) && rec->node && rec->node->image() >= 0)
        return rec->node->image();
    const NodeImagePair pair = NodeImagesFor(RecordAs<ItemRecord>(rec), icons);
    return pair.image;
}

void AssignNodeImages(Forest& forest, Node& node, const ItemIcons& icons) {
    const NodeImagePair pair = NodeImagesFor(node.record(), icons);
    if (pair.image != node.image() || pair.selected != node.selectedImage())
        forest.setImages(node, pair.image, pair.selected);
    for (const auto& child : node.children())
        AssignNodeImages(forest, *child, icons);
}

}  // namespace kv
