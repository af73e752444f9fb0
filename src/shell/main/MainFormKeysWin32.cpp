// Keys of the tree and the item list that run commands: the command table's
// key rules decide; everything else stays with the browse views.
#include "shell/main/MainFormWin32.h"

#include <commctrl.h>

#include "controls/ListHelpers.h"
#include "shell/commands/CommandKeys.h"

namespace kv {

namespace {

unsigned shiftState() {
    unsigned shift = 0;
    if (GetKeyState(VK_SHIFT) < 0) shift |= Keys::Shift;
    if (GetKeyState(VK_CONTROL) < 0) shift |= Keys::Ctrl;
    if (GetKeyState(VK_MENU) < 0) shift |= Keys::Alt;
    return shift;
}

}  // namespace

bool MainForm::labelEditing() const {
    return (tree.hwnd() && TreeView_GetEditControl(tree.hwnd())) ||
           (list.hwnd() && ListView_GetEditControl(list.hwnd()));
}

void MainForm::bindShortcuts() {
    auto menuShortcut = std::move(onShortcut);
    onShortcut = [this, menuShortcut](ui::Form& sender, WORD key, UINT shift) {
        // Another window of the program is active (the search window's text
        // box takes Ctrl+A), or a label editor has the keys.
        if (HWND active = GetActiveWindow(); (active && active != hwnd()) || labelEditing())
            return false;
        if (shift == 0) {
            const HWND focus = GetFocus();
            // The tree and the list edit their own labels: the menu's F2
            // would rename the disk above a file or folder.
            if (key == VK_F2 && focus && (focus == tree.hwnd() || focus == list.hwnd()))
                return false;
            KeyFacts facts;
            facts.commands = &commandStates_;
            const KeyResult result = KeyCommand(KeyPlace::Form, key, 0, facts);
            if (result.action == KeyAction::Run) {
                RunCommand(result.command, CommandSource::Key);
                return true;
            }
        }
        return menuShortcut && menuShortcut(sender, key, shift);
    };
}

const ItemHead* MainForm::focusedListRecord() {
    const ItemHead* rec = browse_->browser().recordAt(-1);
    return rec == browse_->browser().upRecord() ? nullptr : rec;
}

bool MainForm::commandKey(bool inTree, WORD key) {
    if (!catalogCommands_)
        return false;
    Node* node = selected();
    KeyFacts facts;
    facts.commands = &commandStates_;
    facts.nodeKind = node && node->record() ? node->record()->kind() : 0;
    const ItemHead* row = focusedListRecord();
    facts.rowFocused = row != nullptr;
    facts.listShowsDisks = node && RecordAs<TCatalogRec>(node->record());
    facts.editingLabel = labelEditing();
    facts.displayUnlocked = !browse_->browser().displayLocked();
    const KeyResult result = KeyCommand(inTree ? KeyPlace::Tree : KeyPlace::List, key, shiftState(), facts);
    switch (result.action) {
    case KeyAction::Run:
        if (!inTree && result.command == CommandId::DeleteDisk) {
            DeleteListedDisk(*catalogCommands_, row);
            updateCommands(kUpdateAllCommands);
        } else {
            RunCommand(result.command, CommandSource::Key);
        }
        return true;
    case KeyAction::ShowPopup:
        // At the selected node or the focused row; the control's corner when it has none.
        if (inTree)
            showTreePopup(selected(), nullptr);
        else
            showListPopup(nullptr);
        return true;
    case KeyAction::EditLabel:
        renameCommand(inTree ? CommandSource::TreePopup : CommandSource::ListPopup);
        return true;
    case KeyAction::AskClose:
        AskCloseSelectedCatalog(*catalogCommands_);
        updateCommands(kUpdateAllCommands);
        return true;
    default:
        // Label editing, opening rows and display locks belong to the browse views.
        return false;
    }
}

}  // namespace kv
