// Right clicks and row actions of the tree and the item list: the tree popup
// for the node under the press (or for no node), the list popup only on a
// row, "Move To..." and the double-click action on a file.
#include "shell/main/MainFormWin32.h"

#include <commctrl.h>

#include "catalog/model/ItemRecords.h"
#include "controls/ListHelpers.h"
#include "shell/commands/CommandPopups.h"
#include "shell/settings/SettingsStore.h"

namespace kv {

bool MainForm::ContextMenu(HWND source, LPARAM lp) {
    const bool byKey = lp == -1;
    const POINT at{static_cast<short>(LOWORD(lp)), static_cast<short>(HIWORD(lp))};
    if (source == tree.hwnd()) {
        if (byKey) {
            showTreePopup(selected(), nullptr);
            return true;
        }
        POINT client = at;
        ScreenToClient(tree.hwnd(), &client);
        bool onItem = false;
        Node* node = static_cast<Node*>(tree.hitTest(client, &onItem));
        if (!onItem)
            node = nullptr;
        if (node && node != selected()) {
            browse_->tree().select(node);
            ui::Application::instance().processMessages();
        }
        showTreePopup(node, &at);
        return true;
    }
    if (source == list.hwnd()) {
        if (byKey) {
            showListPopup(nullptr);
            return true;
        }
        LVHITTESTINFO hit{};
        hit.pt = at;
        ScreenToClient(list.hwnd(), &hit.pt);
        // Off the rows there is nothing to act on.
        if (ListView_HitTest(list.hwnd(), &hit) < 0 || !(hit.flags & LVHT_ONITEM))
            return true;
        showListPopup(&at);
        return true;
    }
    return false;
}

void MainForm::showTreePopup(Node* node, const POINT* at) {
    // A refill the key release left waiting is done first: the popup acts on what the list shows.
    browse_->browser().flushPendingRefill();
    treePopupNode_ = node;
    if (at)
        treePopup_.Popup(hwnd(), at->x, at->y);
    else if (!ui::PopupMenuAtItem(treePopup_, nullptr, &tree)) {
        RECT r{};
        GetWindowRect(tree.hwnd(), &r);
        treePopup_.Popup(hwnd(), r.left + 8, r.top + 8);
    }
    treePopupNode_.reset();
}

void MainForm::showListPopup(const POINT* at) {
    if (at)
        listPopup_.Popup(hwnd(), at->x, at->y);
    else if (!ui::PopupMenuAtItem(listPopup_, &list, nullptr)) {
        RECT r{};
        GetWindowRect(list.hwnd(), &r);
        listPopup_.Popup(hwnd(), r.left + 8, r.top + 8);
    }
}

Node* MainForm::treePopupNode() { return treePopupNode_ ? *treePopupNode_ : selected(); }

void MainForm::RowAction(const ItemHead& rec) {
    // Folders, disks and ".." open in the browser; files and catalogs run the
    // action the settings name.
    if (rec.kind() != ItemFlags::File && rec.kind() != ItemFlags::Catalog)
        return;
    const CommandId command = FileDoubleClickCommand(static_cast<int>(services_.settings.Get().dblClick));
    if (command == CommandId::Count)
        return;
    updateCommands(kUpdateAllCommands);
    if (commandStates_[command].enabled)
        RunCommand(command, CommandSource::ListPopup);
}

void MainForm::MoveIntoRow() {
    const ItemHead* rec = browse_->browser().recordAt(-1);
    if (rec && !browse_->browser().openRow(-1))
        RowAction(*rec);
}

}  // namespace kv
