#include "shell/commands/CommandTarget.h"

#include "catalog/model/FileRecord.h"

namespace kv {

namespace {

bool fromTree(CommandSource source, const FocusState& focus) {
    switch (source) {
    case CommandSource::TreePopup: return true;
    case CommandSource::ListPopup: return false;
    case CommandSource::MainMenu:
    case CommandSource::Toolbar:
    case CommandSource::Key: break;
    }
    return focus.focusedRow == nullptr || focus.treeActive;
}

bool listableMember(const ItemHead& rec, const ListableArchive& listable) {
    return rec.kind() == ItemFlags::File && HasFlag(rec.flags, ItemFlags::Archive) && rec.node &&
           listable && listable(rec.node->text());
}

}  // namespace

std::optional<CommandTarget> GetCommandTarget(CommandSource source, const FocusState& focus) {
    CommandTarget target;
    target.fromTree = fromTree(source, focus);
    target.node = focus.selected;
    if (target.fromTree)
        return target.node ? std::optional(target) : std::nullopt;
    if (!focus.focusedRow || !focus.selected)
        return std::nullopt;
    if (focus.focusedRowIsUp) {
        target.node = focus.selected->parent();
    } else if (focus.focusedRow->kind() == ItemFlags::File) {
        target.record = focus.focusedRow;
    } else {
        target.node = nullptr;
        for (const auto& child : focus.selected->children()) {
            if (child->record() == focus.focusedRow) {
                target.node = child.get();
                break;
            }
        }
    }
    return target.node ? std::optional(target) : std::nullopt;
}

TargetFacts DescribeTarget(const std::optional<CommandTarget>& target, const ListableArchive& listable) {
    TargetFacts facts;
    if (!target)
        return facts;
    facts.fromTree = target->fromTree;
    const ItemHead* item = target->item();
    if (!item)
        return facts;
    facts.kind = item->kind();
    facts.archive = HasFlag(item->flags, ItemFlags::Archive);
    facts.listed = item->indexWord(ResultSlot::UserList) != kNotListed;
    facts.listableMember = listableMember(*item, listable);
    return facts;
}

SelectionFacts ScanSelection(std::span<const ItemHead* const> rows, const ItemHead* upRow,
                             const ListableArchive& listable) {
    SelectionFacts facts;
    for (const ItemHead* rec : rows) {
        if (facts.complete())
            break;
        if (!rec || rec == upRow)
            continue;
        const bool file = rec->kind() == ItemFlags::File;
        const bool folder = rec->kind() == ItemFlags::Folder;
        facts.addList |= rec->indexWord(ResultSlot::UserList) == kNotListed;
        facts.setCat |= file || folder;
        facts.extract |= listableMember(*rec, listable);
        facts.copyTo |= folder || (file && !HasFlag(rec->flags, ItemFlags::Archive));
    }
    return facts;
}

}  // namespace kv
