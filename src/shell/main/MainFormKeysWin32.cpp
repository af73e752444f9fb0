// Keys of the tree and the item list that run commands: the command table's
// key rules decide; everything else stays with the browse views.
#include "shell/main/MainFormWin32.h"

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
    facts.editingLabel = false;
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
    case KeyAction::ShowPopup: {
        // At the focused row or the selected node; the control's corner when it has none.
        ui::PopupMenu& popup = inTree ? treePopup_ : listPopup_;
        if (!ui::PopupMenuAtItem(popup, inTree ? nullptr : &list, inTree ? &tree : nullptr)) {
            RECT r{};
            GetWindowRect(inTree ? tree.hwnd() : list.hwnd(), &r);
            popup.Popup(hwnd(), r.left + 8, r.top + 8);
        }
        return true;
    }
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
