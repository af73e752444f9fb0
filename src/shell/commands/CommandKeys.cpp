#include "shell/commands/CommandKeys.h"

#include "catalog/model/ItemFlags.h"

namespace kv {

namespace {

KeyResult runIfEnabled(CommandId command, const KeyFacts& facts) {
    if (facts.commands && (*facts.commands)[command].enabled)
        return {KeyAction::Run, command};
    return {};
}

KeyResult formKey(unsigned key, const KeyFacts& facts) {
    if (key == Keys::F3)
        return runIfEnabled(CommandId::Search, facts);
    if (key == Keys::F4)
        return runIfEnabled(CommandId::Properties, facts);
    return {};
}

KeyResult listKey(unsigned key, unsigned shift, const KeyFacts& facts) {
    switch (key) {
    case Keys::Back:
    case Keys::Escape: return runIfEnabled(CommandId::Back, facts);
    case Keys::Enter:
        if (shift & Keys::Alt)
            return runIfEnabled(CommandId::Properties, facts);
        return {KeyAction::Open};
    case Keys::Delete:
        if (facts.rowFocused && facts.listShowsDisks)
            return {KeyAction::Run, CommandId::DeleteDisk};
        return {};
    case Keys::F2: return facts.rowFocused ? KeyResult{KeyAction::EditLabel} : KeyResult{};
    case Keys::F10: return (shift & Keys::Shift) ? KeyResult{KeyAction::ShowPopup} : KeyResult{};
    case Keys::Apps: return {KeyAction::ShowPopup};
    }
    return {};
}

KeyResult treeKey(unsigned key, unsigned shift, const KeyFacts& facts) {
    switch (key) {
    case Keys::Up:
    case Keys::Down:
    case Keys::PageUp:
    case Keys::PageDown:
    case Keys::End:
    case Keys::Home:
    case Keys::Back: return facts.displayUnlocked ? KeyResult{KeyAction::LockDisplay} : KeyResult{};
    case Keys::Escape: return runIfEnabled(CommandId::Back, facts);
    case Keys::Enter: return (shift & Keys::Alt) ? runIfEnabled(CommandId::Properties, facts) : KeyResult{};
    case Keys::Delete:
        if (facts.nodeKind == ItemFlags::Disk)
            return {KeyAction::Run, CommandId::DeleteDisk};
        if (facts.nodeKind == ItemFlags::Catalog)
            return {KeyAction::AskClose, CommandId::Close};
        return {};
    case Keys::F2: return facts.nodeKind != 0 ? KeyResult{KeyAction::EditLabel} : KeyResult{};
    case Keys::F10: return (shift & Keys::Shift) ? KeyResult{KeyAction::ShowPopup} : KeyResult{};
    case Keys::Apps: return {KeyAction::ShowPopup};
    }
    return {};
}

}  // namespace

KeyResult KeyCommand(KeyPlace place, unsigned key, unsigned shift, const KeyFacts& facts) {
    if (place == KeyPlace::Form)
        return formKey(key, facts);
    if (facts.editingLabel)
        return {};
    // Ctrl+PgUp goes up one level, as Backspace does.
    if (key == Keys::PageUp && (shift & Keys::Ctrl)) {
        key = Keys::Back;
        shift &= ~Keys::Ctrl;
    }
    return place == KeyPlace::List ? listKey(key, shift, facts) : treeKey(key, shift, facts);
}

}  // namespace kv
