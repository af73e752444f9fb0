#include "shell/browse/DiskRename.h"

#include "base/text/CounterSuffix.h"
#include "catalog/model/CatalogModified.h"
#include "shell/browse/ItemComparer.h"

namespace kv {

namespace {

bool takenBySibling(const Node& disk, std::string_view name) {
    const CaseMapCollator collator;
    const Node* parent = disk.parent();
    if (!parent)
        return false;
    for (const auto& sibling : parent->children())
        if (sibling.get() != &disk && RecordAs<TDiskRec>(sibling->record()) &&
            collator.compare(sibling->text(), name) == 0)
            return true;
    return false;
}

}  // namespace

bool CanRenameNode(const Node& node) {
    const ItemRecord* rec = node.record();
    return RecordAs<TDiskRec>(rec) || RecordAs<TCatalogRec>(rec);
}

std::string UniqueDiskName(const Node& disk, std::string_view wanted) {
    if (!takenBySibling(disk, wanted))
        return std::string(wanted);
    const std::string stem = StripCounterSuffix(wanted);
    for (int n = 2;; ++n) {
        std::string name = AddCounterSuffix(stem, n);
        if (!takenBySibling(disk, name))
            return name;
    }
}

bool RenameNode(Forest& forest, Node& node, std::string_view text) {
    if (text.empty() || !CanRenameNode(node))
        return false;
    const bool disk = RecordAs<TDiskRec>(node.record()) != nullptr;
    std::string name = disk ? UniqueDiskName(node, text) : std::string(text);
    if (name == node.text())
        return false;
    forest.setText(node, std::move(name));
    if (disk)
        SetDiskModified(node, true);
    else
        SetCatalogModified(node, true);
    return true;
}

}  // namespace kv
