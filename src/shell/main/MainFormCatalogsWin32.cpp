// Catalogs reaching the main window: the request queue's open, the hand-over
// of a second start, dropped files, and the tree pane's view of the forest.
#include "shell/main/MainFormWin32.h"

#include "base/ScopedFlag.h"
#include "shell/app/DropFilter.h"
#include "shell/app/ParamsFile.h"
#include "shell/app/SingleInstanceWin32.h"
#include "shell/commands/SearchRefusal.h"
#include "shell/settings/SettingsStore.h"
#include "ui/Application.h"
#include "ui/CommonDialogs.h"

namespace kv {

bool MainForm::refuseWhileSearching() { return RefusedDuringSearch(Refusal::OpenCatalog, searchRunning(), *prompt_); }

void MainForm::requestOpenCatalogs(const std::vector<std::string>& names) {
    openQueue_.RequestOpenCatalogs(names);
}

void MainForm::OpenRequested() {
    CatalogOpenQueue::Files files = std::move(pendingOpen_);
    pendingOpen_.reset();
    const ui::SafePointHold hold;  // the catalogs' readers are busy
    OpenCatalogFiles(openServices_, std::move(files));
    rebuildSearchScope();
}

void MainForm::OpenParamsFile(WPARAM number) {
    // Opening catalogs in the middle of a scan would change what it works on.
    if (addDiskRunning_) {
        heldParams_.push_back(number);
        return;
    }
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

Node* MainForm::selected() { return browse_->tree().selected(); }

void MainForm::select(Node* node) { browse_->tree().select(node); }

void MainForm::expand(Node& node) { browse_->tree().expand(node); }

void MainForm::collapse(Node& node) { browse_->tree().collapse(node); }

bool MainForm::statusIdle() const { return !status_.busy(); }

void MainForm::clearItemList() {
    browse_->browser().clearList();
}

void MainForm::processMessages() { ui::Application::instance().processMessages(); }

}  // namespace kv
