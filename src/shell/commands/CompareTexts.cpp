#include "shell/commands/CompareTexts.h"

#include "base/text/AnsiCase.h"
#include "catalog/model/ItemRecords.h"
#include "system/SystemCaseMap.h"
#include "system/drives/MediaTypes.h"

namespace kv {

Node* CompareTargetNode(ItemHead* record, bool isUpRow, Node* selected) {
    if (isUpRow)
        return selected ? selected->parent() : nullptr;
    if (!record)
        return nullptr;
    Node* node = record->node;
    // A member's node is its archive's; an archive folder's node is its own.
    if (node && HasFlag(record->flags, ItemFlags::Archive))
        return node->parent();
    return node;
}

std::string CompareKindName(const Node& node) {
    const TDiskRec* disk = RecordAs<TDiskRec>(node.record());
    if (!disk)
        return "folder";
    std::string name = MediaTypeName(disk->volume.mediaType, disk->flags);
    const std::uint8_t code = disk->volume.mediaType;
    if (code == MediaType::CdRom || code == MediaType::RamDisk)
        return name;
    return lowerCase(name, systemCaseMap());
}

std::string CompareQuestion(const Node& node) {
    return "About to compare " + CompareKindName(node) + " \"" + node.text() +
           "\" in catalog to original media, please confirm.";
}

std::string NoChangesText(const Node& node) {
    return "No changes have been detected on the media. Catalog data for " + CompareKindName(node) + " \"" +
           node.text() + "\" is up to date.";
}

}  // namespace kv
