#include "shell/commands/CatalogCommands.h"

#include <algorithm>

#include "catalog/model/CatalogModified.h"
#include "shell/commands/CommandTable.h"
#include "shell/commands/SearchRefusal.h"

namespace kv {

namespace {

bool refused(CatalogCommandServices& s, CommandId command) {
    return RefusedDuringSearch(CommandInfoOf(command).refusal, s.searchRunning && s.searchRunning(),
                               s.lifeCycle.prompt);
}

void update(CatalogCommandServices& s, std::uint8_t groups) {
    if (s.updateCommands)
        s.updateCommands(groups);
}

bool blank(const std::string& text) {
    return std::all_of(text.begin(), text.end(), [](char c) { return c == ' ' || c == '\t'; });
}

}  // namespace

std::string NextDefaultCatalogName(const Forest& forest) {
    for (int n = 1;; ++n) {
        std::string name = "Catalog" + std::to_string(n);
        const auto roots = forest.roots();
        if (std::none_of(roots.begin(), roots.end(), [&](const auto& root) { return root->text() == name; }))
            return name;
    }
}

Node* NewCatalog(CatalogCommandServices& s) {
    std::optional<std::string> name = s.textInput.askText(
        {"New Catalog", "Enter a name for the new catalog:", NextDefaultCatalogName(s.lifeCycle.forest)});
    // A nameless catalog could not be renamed in place later: treat it as Cancel.
    if (!name || blank(*name))
        return nullptr;
    Forest& forest = s.lifeCycle.forest;
    Node& node = forest.addRoot(*name);
    (void)node.setRecord(std::make_unique<TCatalogRec>());
    forest.setBold(node, true);
    forest.setImages(node, s.catalogImage, s.catalogImage);
    update(s, CommandGroup::All);
    if (s.focusTree)
        s.focusTree();
    s.lifeCycle.tree.select(&node);
    return &node;
}

void OpenCatalogs(CatalogCommandServices& s) {
    if (refused(s, CommandId::OpenCatalog))
        return;
    s.openQueue.RequestOpenCatalogs(std::nullopt);
    if (s.resortList)
        s.resortList();
}

void OpenRecentCatalog(CatalogCommandServices& s, const std::string& fileName) {
    if (refused(s, CommandId::RecentFile))
        return;
    s.openQueue.RequestOpenCatalogs(std::vector<std::string>{fileName});
    s.lifeCycle.window.processMessages();
    if (s.resortList)
        s.resortList();
}

SaveResult SaveCatalogTelling(Node* catalogNode, bool saveAs, SaveEnvironment& env) {
    SaveResult result = SaveCatalog(catalogNode, saveAs, env);
    if (result == SaveResult::Refused) {
        SaveRefusalMessage message = RefusalMessage(env.refusal);
        env.prompt.showInformation(message.text, message.caption);
    }
    return result;
}

SaveResult SaveSelectedCatalog(CatalogCommandServices& s, bool saveAs) {
    Node* catalogNode = FindAncestor<TCatalogRec>(s.lifeCycle.tree.selected());
    if (!catalogNode)
        return SaveResult::Cancelled;
    SaveResult result = SaveCatalogTelling(catalogNode, saveAs, s.saving);
    update(s, CommandGroup::Catalog);
    return result;
}

bool CanCloseCatalogs(CatalogCommandServices& s) { return !refused(s, CommandId::Close); }

void CloseSelectedCatalog(CatalogCommandServices& s, CommandSource source) {
    if (!CanCloseCatalogs(s))
        return;
    Node* selected = s.lifeCycle.tree.selected();
    Node* catalogNode = source == CommandSource::TreePopup ? selected : FindAncestor<TCatalogRec>(selected);
    if (!catalogNode || !RecordAs<TCatalogRec>(catalogNode->record()))
        return;
    CloseCatalog(s.lifeCycle, *catalogNode, true);
    update(s, CommandGroup::All);
}

void CloseEveryCatalog(CatalogCommandServices& s) {
    if (!CanCloseCatalogs(s))
        return;
    ui::PromptAnswer answer = s.lifeCycle.prompt.ask({"About to close all opened catalogs. Please confirm.",
                                                      "Confirm closing", ui::PromptButtons::OkCancel,
                                                      ui::PromptIcon::Question});
    if (answer != ui::PromptAnswer::Ok)
        return;
    CloseAllCatalogs(s.lifeCycle, true);
    update(s, CommandGroup::All);
}

void AskCloseSelectedCatalog(CatalogCommandServices& s) {
    if (!CanCloseCatalogs(s))
        return;
    if (s.lifeCycle.prompt.ask({"Would you really like to close selected catalog?", "Confirm closing",
                                ui::PromptButtons::OkCancel, ui::PromptIcon::Question}) == ui::PromptAnswer::Ok)
        CloseSelectedCatalog(s, CommandSource::Key);
}

bool ConfirmDeleteDisk(CatalogCommandServices& s, const Node& diskNode) {
    if (refused(s, CommandId::DeleteDisk))
        return false;
    return s.lifeCycle.prompt.ask({"Please confirm removing all data for disk \"" + diskNode.text() +
                                       "\" from the catalog.",
                                   "Delete disk", ui::PromptButtons::OkCancel, ui::PromptIcon::Warning}) ==
           ui::PromptAnswer::Ok;
}

namespace {

void deleteDisk(CatalogCommandServices& s, Node& diskNode) {
    Node* catalogNode = FindAncestor<TCatalogRec>(&diskNode);
    if (catalogNode)
        SetCatalogModified(*catalogNode, true);
    DeleteCatalogNode(s.lifeCycle, diskNode);
    // The search window's scope tree points at tree nodes: it must not keep the deleted one.
    s.lifeCycle.tools.rebuildSearchScope();
}

}  // namespace

bool DeleteSelectedDisk(CatalogCommandServices& s) {
    Node* disk = s.lifeCycle.tree.selected();
    if (!disk || !RecordAs<TDiskRec>(disk->record()) || !ConfirmDeleteDisk(s, *disk))
        return false;
    deleteDisk(s, *disk);
    if (s.treeSelectionChanged)
        s.treeSelectionChanged();
    update(s, CommandGroup::All);
    return true;
}

bool DeleteListedDisk(CatalogCommandServices& s, const ItemHead* row) {
    Node* selected = s.lifeCycle.tree.selected();
    if (!selected || !row)
        return false;
    Node* disk = nullptr;
    for (const auto& child : selected->children()) {
        if (child->record() == row && RecordAs<TDiskRec>(child->record()))
            disk = child.get();
    }
    if (!disk || !ConfirmDeleteDisk(s, *disk))
        return false;
    deleteDisk(s, *disk);
    update(s, CommandGroup::All);
    return true;
}

}  // namespace kv
