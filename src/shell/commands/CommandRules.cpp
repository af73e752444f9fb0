#include "shell/commands/CommandRules.h"


#include "catalog/model/ItemFlags.h"
#include "shell/commands/CommandTable.h"

namespace kv {

namespace {

bool isMember(const TargetFacts& t) { return t.kind == ItemFlags::File && t.archive; }

bool launchable(const TargetFacts& t) {
    return (t.kind == ItemFlags::File && (!t.archive || t.listableMember)) ||
           (t.kind == ItemFlags::Folder && t.archive);
}

bool enabled(EnabledRule rule, const SelectionSnapshot& s) {
    const TargetFacts& t = s.target;
    const bool open = s.catalogsOpen > 0;
    const bool hasTarget = t.kind != kNoKind;
    switch (rule) {
    case EnabledRule::Always: return true;
    case EnabledRule::Open: return open;
    case EnabledRule::Modified: return s.selectedKind != 0 && s.selectedCatalogModified;
    case EnabledRule::Back: return s.selectedKind != 0 && s.selectedKind != ItemFlags::Catalog;
    case EnabledRule::ExportDesc: return hasTarget && t.kind != ItemFlags::Catalog;
    case EnabledRule::Explorer: return hasTarget && t.kind != ItemFlags::Catalog && !isMember(t);
    case EnabledRule::Compare: return t.kind == ItemFlags::Disk || (t.kind == ItemFlags::Folder && !t.archive);
    case EnabledRule::Launch: return launchable(t);
    case EnabledRule::ViewFile: return launchable(t) && t.kind == ItemFlags::File;
    case EnabledRule::CopyTo:
        if (!t.fromTree)
            return s.selection.copyTo;
        return t.kind == ItemFlags::Folder || (t.kind == ItemFlags::File && !t.archive);
    case EnabledRule::ExtractTo: return t.fromTree ? t.listableMember : s.selection.extract;
    case EnabledRule::AddToList:
        if (!t.fromTree)
            return hasTarget && s.selection.addList;
        return hasTarget && t.kind != ItemFlags::Catalog && !t.listed;
    case EnabledRule::SetCategory:
        return t.fromTree ? (t.kind == ItemFlags::File || t.kind == ItemFlags::Folder) : s.selection.setCat;
    case EnabledRule::Rows: return s.rows > 0;
    case EnabledRule::Duplicates: return open && !(s.searchRunning && s.searchDuplicates);
    case EnabledRule::Rename:
        if (s.selectedKind == ItemFlags::Catalog && s.treeActive)
            return open;
        return enabled(EnabledRule::Back, s) || s.listHasFocusedRow;
    }
    return false;
}

bool checked(const CommandInfo& c, const SelectionSnapshot& s) {
    switch (c.checked) {
    case CheckRule::None: return false;
    case CheckRule::SortColumn: return s.rows > 0 && s.sortColumn == c.checkValue;
    case CheckRule::SortReverse: return s.sortReverse;
    case CheckRule::ViewStyle: return s.rows > 0 && s.viewStyle == c.checkValue;
    case CheckRule::ToolbarVisible: return s.toolbarVisible;
    case CheckRule::StatusBarVisible: return s.statusBarVisible;
    }
    return false;
}

std::string caption(const CommandInfo& c, const SelectionSnapshot& s) {
    if (c.id == CommandId::Rename && s.selectedKind == ItemFlags::Catalog && s.treeActive)
        return "&Rename Catalog";
    return c.caption;
}

}  // namespace

void UpdateCommandStates(CommandStates& states, const SelectionSnapshot& snapshot, std::uint8_t groups) {
    for (const CommandInfo& c : CommandTable()) {
        if (c.group != 0 && (c.group & groups) == 0)
            continue;
        CommandState& state = states[c.id];
        state.allowed = enabled(c.enabled, snapshot);
        state.enabled = state.allowed;
        state.checked = checked(c, snapshot);
        state.caption = caption(c, snapshot);
    }
    states.hideSearchWindow = !states[CommandId::Search].enabled;
}

CommandStates EvaluateCommands(const SelectionSnapshot& snapshot) {
    CommandStates states;
    UpdateCommandStates(states, snapshot, CommandGroup::All);
    return states;
}

}  // namespace kv
