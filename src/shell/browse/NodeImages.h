#pragma once
// The pictures of catalog, disk and folder nodes in the tree, from the icon
// cache's indexes: set on the nodes so that every view of the tree shows them.
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

// Sets the images of the node and of every node below it that exists.
void AssignNodeImages(Forest& forest, Node& node, const ItemIcons& icons);

}  // namespace kv
