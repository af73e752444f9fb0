#pragma once
// Copying and moving a disk with all its folders and files into another open
// catalog. What was never read is read from the source catalog's file first,
// so the new disk lives wholly in memory and is saved from there. A move
// hands the records themselves over: result lists that show them go on
// showing them, now under the target catalog.
#include <functional>

#include "catalog/model/Node.h"

namespace kv {

namespace ui {
class UserPrompt;
}

// Adds the disk under targetCatalog with a name unique there (" (2)", " (3)"
// ...) and returns its node. With move the emptied source disk node is
// removed afterwards through removeNode (none: straight from the forest).
// Both catalogs are marked modified as needed. A damaged source file is
// reported to prompt; the copy keeps what was read.
Node& CopyDiskToCatalog(Node& sourceDisk, Node& targetCatalog, bool move, ui::UserPrompt* prompt = nullptr,
                        const std::function<void(Node&)>& removeNode = {});

}  // namespace kv
