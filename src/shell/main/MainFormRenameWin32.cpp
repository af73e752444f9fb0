// Renaming catalogs and disks in place: the Rename command and F2 start the
// label edit of the tree node or the list row; the browser applies the text.
#include "shell/main/MainFormWin32.h"

#include "catalog/model/ItemRecords.h"
#include "shell/browse/DiskRename.h"
#include "shell/commands/SearchRefusal.h"

namespace kv {

void MainForm::renameCommand(CommandSource source) {
    // The search's worker reads the names: refused, once there is something to rename.
    auto refused = [this] { return RefusedDuringSearch(Refusal::UpdateData, searchRunning(), *prompt_); };
    CatalogBrowser& browser = browse_->browser();
    Node* sel = selected();
    const bool listActive = list.hwnd() && GetFocus() == list.hwnd();
    const bool catalogSelected = sel && RecordAs<TCatalogRec>(sel->record());
    const bool editRow = source == CommandSource::ListPopup ||
                         (source != CommandSource::TreePopup && listActive && catalogSelected);
    if (editRow) {
        // Only a disk row of the disk list takes a new name.
        const ItemHead* row = browser.recordAt(-1);
        if (!row || row->kind() != ItemFlags::Disk || refused())
            return;
        browse_->list().editLabel(static_cast<std::size_t>(browse_->list().focusedRow()));
        return;
    }
    Node* target = sel;
    if (source != CommandSource::TreePopup) {
        const bool treeActive = tree.hwnd() && GetFocus() == tree.hwnd();
        target = treeActive && catalogSelected ? sel : FindAncestor<TDiskRec>(sel);
    }
    if (!target || !CanRenameNode(*target) || refused())
        return;
    if (target != sel) {
        browse_->tree().select(target);
        ui::Application::instance().processMessages();
    }
    tree.setFocus();
    browse_->tree().editLabel(*target);
}

void MainForm::repaintOtherItemLists() {
    if (searchForm_ && searchForm_->FoundList.View().hwnd())
        InvalidateRect(searchForm_->FoundList.View().hwnd(), nullptr, FALSE);
    if (repaintUserList)
        repaintUserList();
    updateStatusBar();
}

}  // namespace kv
