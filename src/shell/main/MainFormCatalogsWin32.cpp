// Catalogs reaching the main window: the request queue's open, the hand-over
// of a second start, dropped files, and the tree pane's view of the forest.
#include "shell/main/MainFormWin32.h"

#include "base/ScopedFlag.h"
#include "shell/app/DropFilter.h"
#include "shell/app/ParamsFile.h"
#include "shell/app/SingleInstanceWin32.h"
#include "shell/settings/SettingsStore.h"
#include "ui/Application.h"
#include "ui/CommonDialogs.h"

namespace kv {
namespace {

constexpr const char* kOpenRefusedCaption = "Can't Open Catalog";
constexpr const char* kOpenRefusedText =
    "Sorry, opening catalog is not possible while search is in progress.\r"
    "Please cancel the search or wait for search to finish.";

}  // namespace

bool MainForm::searchRunning() { return searchActive && searchActive(); }

bool MainForm::refuseWhileSearching() {
    if (!searchRunning())
        return false;
    prompt_->showInformation(kOpenRefusedText, kOpenRefusedCaption);
    return true;
}

void MainForm::requestOpenCatalogs(const std::vector<std::string>& names) {
    ScopedFlag outside(OutsideNames);
    openQueue_.RequestOpenCatalogs(names);
}

void MainForm::OpenRequested() {
    CatalogOpenQueue::Files files = std::move(pendingOpen_);
    pendingOpen_.reset();
    OpenCatalogFiles(openServices_, std::move(files));
}

void MainForm::OpenParamsFile(WPARAM number) {
    ParamsFilesWin32 fs;
    const std::vector<std::string> names = TakeParamsFile(fs, ParamsTempFolder(), static_cast<std::int64_t>(number));
    if (names.empty() || refuseWhileSearching())
        return;
    requestOpenCatalogs(names);
}

void MainForm::DropFiles(const std::vector<std::string>& names) {
    const DroppedFiles dropped = FilterDroppedFiles(names);
    if (!dropped.catalogs.empty()) {
        // Opening rebuilds what a running search walks.
        if (!refuseWhileSearching())
            requestOpenCatalogs(dropped.catalogs);
        return;
    }
    if (const char* text = InvalidDropText(dropped.invalid)) {
        SetForegroundWindow(hwnd());
        prompt_->showInformation(text, kInvalidDropCaption);
    }
}

std::optional<std::vector<std::string>> MainForm::askCatalogFiles() {
    stepSplashAside();
    ui::FileDialogRequest request;
    request.title = "Open Catalog";
    request.filters = {{"Catalog files (*.ctf)", "*.ctf"}, {"All files (*.*)", "*.*"}};
    request.defaultExtension = "ctf";
    request.initialFolder = services_.settings.Get().catalogFolder;
    request.multiSelect = true;
    return ui::CommonFileDialogs(hwnd()).openFiles(request);
}

std::optional<std::string> MainForm::askSaveName(const Request& r) {
    ui::FileDialogRequest request;
    request.title = r.title;
    request.filters = {{"Catalog files (*.ctf)", "*.ctf"}, {"All files (*.*)", "*.*"}};
    request.defaultExtension = "ctf";
    request.initialFolder = r.initialFolder;
    request.fileName = r.fileName;
    request.mustExist = false;
    return ui::CommonFileDialogs(hwnd()).saveFile(request);
}

void MainForm::remove(const std::string& fileName) {
    if (recentFiles_)
        recentFiles_->RemoveFile(fileName);
    const auto& list = services_.settings.Get().autoloadList;
    if (std::find(list.begin(), list.end(), fileName) == list.end())
        return;
    services_.settings.Update([&](Settings& s) { std::erase(s.autoloadList, fileName); });
}

Node* MainForm::selected() { return static_cast<Node*>(tree.selected()); }

void MainForm::select(Node* node) { tree.select(node); }

void MainForm::expand(Node& node) { tree.expand(&node); }

void MainForm::collapse(Node& node) {
    if (HTREEITEM item = tree.itemOf(&node))
        TreeView_Expand(tree.hwnd(), item, TVE_COLLAPSE);
}

void MainForm::showRoots() {
    std::vector<ui::TreeView::Node> roots;
    for (const auto& root : forest_.roots())
        roots.push_back(root.get());
    tree.setRoots(roots);
}

void MainForm::added(Node& node) {
    if (!node.parent())
        showRoots();
}

void MainForm::removing(Node& node) {
    if (node.parent())
        return;
    // Called before the node goes: show the roots without it.
    std::vector<ui::TreeView::Node> roots;
    for (const auto& root : forest_.roots())
        if (root.get() != &node)
            roots.push_back(root.get());
    tree.setRoots(roots);
}

void MainForm::changed(Node& node, unsigned) { tree.refresh(&node); }

bool MainForm::statusIdle() const { return !status_.busy(); }

void MainForm::clearItemList() {
    list.SetItemCountEx(0);
    ShownNode = nullptr;
}

void MainForm::processMessages() { ui::Application::instance().processMessages(); }

}  // namespace kv
