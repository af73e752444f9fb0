// The Catalog Manager and the drop of disks on another catalog in the tree:
// disks copied and moved between open catalogs.
#include "shell/main/MainFormWin32.h"

#include "catalog/model/CatalogModified.h"
#include "scan/catmanager/CatManagerFormWin32.h"
#include "scan/catmanager/CopyDisk.h"
#include "shell/commands/CommandTable.h"

namespace kv {

void MainForm::deleteDiskNode(Node& disk) {
    SetCatalogModified(disk, true);
    DeleteCatalogNode(lifeCycle_, disk);
}

void MainForm::catalogManager() {
    // Moves and deletes free records the search walks.
    if (RefusedDuringSearch(CommandInfoOf(CommandId::CatManager).refusal, searchRunning(), *prompt_))
        return;
    CatManagerServices services;
    services.prompt = prompt_.get();
    services.askText = [this](const std::string& caption, const std::string& label, const std::string& text) {
        return textInput_.askText({caption, label, text});
    };
    services.deleteDisk = [this](Node& disk) { deleteDiskNode(disk); };
    services.showProperties = [this](Node* disk) { showProperties(disk, nullptr); };
    services.progress = [this](const std::string& text) {
        if (text.empty()) {
            progress_.closeWaitWindow();
            ShowStatus("", false);
        } else {
            progress_.showWaitWindow(text, false, false);
        }
    };
    services.catalogsChanged = [this] { rebuildSearchScope(); };
    TCatManagerForm form(std::move(services));
    std::vector<Node*> catalogs;
    for (const auto& root : forest_.roots()) catalogs.push_back(root.get());
    try {
        form.Run(catalogs, selected());
    } catch (const std::exception& e) {
        prompt_->showError(e.what());
    }
    browse_->browser().refreshRecordViews(nullptr);
    repaintOtherItemLists();
}

void MainForm::moveDisksToCatalog(const std::vector<Node*>& disks, Node& catalog) {
    if (disks.empty() || RefusedDuringSearch(CommandInfoOf(CommandId::CatManager).refusal, searchRunning(), *prompt_))
        return;
    ShowStatus("Moving disks, please wait...", true);
    progress_.showWaitWindow("Moving disks to selected catalog...", false, false);
    Node* wasSelected = selected();
    bool selectionMoved = false;
    lockUpdates();
    try {
        for (Node* disk : disks) {
            for (Node* n = wasSelected; n; n = n->parent()) selectionMoved = selectionMoved || n == disk;
            ShowStatus("Moving disk \"" + disk->text() + "\"...", true);
            CopyDiskToCatalog(*disk, catalog, true, prompt_.get(), [this](Node& n) { deleteDiskNode(n); });
        }
    } catch (const std::exception& e) {
        unlockUpdates();
        progress_.closeWaitWindow();
        ShowStatus("", false);
        prompt_->showError(e.what());
        return;
    }
    rebuildSearchScope();
    browse_->browser().refreshRecordViews(nullptr);
    repaintOtherItemLists();
    expand(catalog);
    if (!selectionMoved && wasSelected)
        select(wasSelected);
    unlockUpdates();
    progress_.closeWaitWindow();
    ShowStatus("", false);
    updateCommands(kUpdateAllCommands);
}

}  // namespace kv
