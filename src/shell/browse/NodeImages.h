#pragma once
// The pictures of catalog, disk and folder nodes in the tree, from the icon
// cache's indexes: set on the nodes so that every view of the tree shows them.
#include <functional>
#include <string_view>

#include "catalog/model/Forest.h"
#include "controls/IconRules.h"

namespace kv {

struct NodeImagePair {
    int image = -1;
    int selected = -1;
};

// Catalog: the catalog icon; disk: its drive icon (virtual disks their own);
// folder: closed, open when selected; archive folder: the archive pair.
NodeImagePair NodeImagesFor(const ItemRecord* rec, const ItemIcons& icons);

// The image of a list row: a file's icon (looked up once by fileIcon, then
// kept in the record), a folder's node image, the drive icon of a disk, the
// catalog icon; the ".." row shows the back arrow. -1 for no record.
int RowImage(const ItemHead* rec, const ItemIcons& icons, const ItemHead* upRecord,
             const std::function<int(std::string_view fileName)>& fileIcon);

// Sets the images of the node and of every node below it that exists.
void AssignNodeImages(Forest& forest, Node& node, const ItemIcons& icons);

}  // namespace kv
