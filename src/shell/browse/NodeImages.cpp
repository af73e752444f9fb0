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

void AssignNodeImages(Forest& forest, Node& node, const ItemIcons& icons) {
    const NodeImagePair pair = NodeImagesFor(node.record(), icons);
    if (pair.image != node.image() || pair.selected != node.selectedImage())
        forest.setImages(node, pair.image, pair.selected);
    for (const auto& child : node.children())
        AssignNodeImages(forest, *child, icons);
}

}  // namespace kv
