#include "shell/browse/ItemRows.h"

#include "base/text/SizeFormat.h"
#include "catalog/model/DiskSpace.h"

namespace kv {

ItemList ItemRowsOf(const Node& node, const ItemHead* upRow) {
    ItemList rows;
    const auto* owner = RecordAs<FileOwnerRecord>(node.record());
    const bool folder = RecordAs<TFolderRec>(node.record()) != nullptr;
    rows.reserve(node.children().size() + (owner ? owner->files.size() : 0) + 1);
    if (folder && upRow)
        rows.push_back(upRow);
    for (const auto& child : node.children())
        if (child->record())
            rows.push_back(child->record());
    if (owner)
        for (const TFileRec& file : owner->files)
            rows.push_back(&file);
    return rows;
}

std::string BackToText(const Node& folderNode) {
    const Node* parent = folderNode.parent();
    if (!parent)
        return {};
    if (RecordAs<TDiskRec>(parent->record()))
        return "Back to root of " + parent->text();
    return "Back to " + parent->text() + " (folder)";
}

std::uint64_t ItemBytes(const ItemHead* rec) {
    if (const auto* file = RecordAs<TFileRec>(rec))
        return file->stored.size;
    if (const auto* folder = RecordAs<TFolderRec>(rec)) {
        const std::int64_t bytes = folder->stored.totalSize.bytes();
        return bytes > 0 ? static_cast<std::uint64_t>(bytes) : 0;
    }
    if (const auto* disk = RecordAs<TDiskRec>(rec))
        return static_cast<std::uint64_t>(GetDiskSpace(*disk, DiskSpaceKind::Total).bytes());
    return 0;
}

std::string ListTotalsText(bool selection, std::size_t count, std::uint64_t bytes, std::string_view decimalSeparator) {
    std::string text = selection ? "Selected: " : "Total: ";
    text += std::to_string(count) + (count == 1 ? " item, " : " items, ");
    return text + FormatSize(bytes, decimalSeparator);
}

}  // namespace kv
