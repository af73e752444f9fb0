#include "shell/commands/ItemEdits.h"

#include "base/text/TextLines.h"
#include "catalog/file/CatalogFormat.h"
#include "catalog/model/CatalogModified.h"
#include "catalog/model/FileRecord.h"
#include "shell/commands/SearchRefusal.h"
#include "ui/UserPrompt.h"

namespace kv {

namespace {

std::string prepared(std::string_view text, const LeadBytes& lead) {
    std::string trimmed = TrimLines(text);
    trimmed.resize(cutLength(trimmed, kLongTextLimit, lead));
    // A cut between CR and LF, or after a line, leaves no empty last line.
    return TrimTrailing(trimmed);
}

}  // namespace

std::string DescriptionOf(const ItemHead& record) {
    if (auto* file = RecordAs<TFileRec>(&record))
        return file->description.str();
    if (auto* folder = RecordAs<TFolderRec>(&record))
        return folder->description;
    if (auto* disk = RecordAs<TDiskRec>(&record))
        return disk->description;
    if (auto* catalog = RecordAs<TCatalogRec>(&record))
        return catalog->description;
    return "";
}

bool StoreDescription(ItemHead& record, std::string_view text, const LeadBytes& lead) {
    std::string value = prepared(text, lead);
    if (value == DescriptionOf(record))
        return false;
    if (auto* file = RecordAs<TFileRec>(&record))
        file->description.assign(value);
    else if (auto* folder = RecordAs<TFolderRec>(&record))
        folder->description = std::move(value);
    else if (auto* disk = RecordAs<TDiskRec>(&record))
        disk->description = std::move(value);
    else if (auto* catalog = RecordAs<TCatalogRec>(&record))
        catalog->description = std::move(value);
    else
        return false;
    return true;
}

std::uint8_t ComposeCategoryByte(std::uint8_t code, const std::array<bool, 3>& flags) {
    std::uint8_t b = CategoryByte::WithCode(0, code);
    for (int n = 1; n <= CategoryByte::UserFlagCount; ++n)
        b = CategoryByte::WithUserFlag(b, n, flags[static_cast<std::size_t>(n - 1)]);
    return b;
}

void UpdateHasDescriptionsFlag(FileOwnerRecord& owner) {
    if (owner.files.empty())
        return;
    bool any = false;
    for (const TFileRec* f = owner.files.first(); f && !any; f = f->next())
        any = !f->description.empty();
    SetFlag(owner.flags, ItemFlags::HasDescriptions, any);
}

namespace {

bool wouldChange(ItemHead& record, const ItemEdits& edits, const LeadBytes& lead) {
    std::uint8_t* category = CategoryByteOf(record);
    if (edits.category && category && *category != *edits.category)
        return true;
    return edits.description && prepared(*edits.description, lead) != DescriptionOf(record);
}

void markChanged(ItemHead& record) {
    if (!record.node)
        return;
    if (RecordAs<TFileRec>(&record))
        SetFileListChanged(*record.node);
    else if (RecordAs<TCatalogRec>(&record))
        SetCatalogModified(*record.node, true);
    else
        SetDiskModified(*record.node, true);
}

}  // namespace

bool ApplyItemEdits(ItemHead& record, const ItemEdits& edits, bool searchRunning, ui::UserPrompt& prompt,
                    const LeadBytes& lead) {
    if (!wouldChange(record, edits, lead))
        return false;
    if (RefusedDuringSearch(Refusal::UpdateData, searchRunning, prompt))
        return false;
    if (std::uint8_t* category = CategoryByteOf(record); edits.category && category)
        *category = *edits.category;
    if (edits.description && StoreDescription(record, *edits.description, lead)) {
        if (RecordAs<TFileRec>(&record) && record.node)
            if (auto* owner = RecordAs<FileOwnerRecord>(record.node->record()))
                UpdateHasDescriptionsFlag(*owner);
    }
    markChanged(record);
    return true;
}

}  // namespace kv
