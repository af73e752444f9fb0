// Closing the main window: the close query, the close and the destroy.
#include "shell/main/MainFormWin32.h"

#include "catalog/CatalogLifeCycle.h"
#include "ui/Application.h"

namespace kv {

void MainForm::waitBriefly(int ms) {
    ui::Application::instance().processMessages();
    // The close wait is a safe point: the search worker's calls are served
    // here (a pump inside this handler would leave them waiting), else it
    // could never stop.
    if (searchForm_ && searchForm_->SearchRunning())
        searchForm_->StopSearch(std::chrono::milliseconds(ms));
    else
        Sleep(static_cast<DWORD>(ms));
}

void MainForm::warnSearchStuck() {
    prompt_->ask({kSearchStuckText, kSearchStuckCaption, ui::PromptButtons::Ok, ui::PromptIcon::Warning});
}

bool MainForm::saveQuestionCancelled() { return QuerySaveModifiedCatalogs(lifeCycle_) == kAnswerCancel; }

void MainForm::afterCancelledQuestion() {
    unlockUpdates();
    ShowStatus("", false);
    updateCommands(kUpdateAllCommands);
}

void MainForm::FormClose() {
    try {
        ShowStatus("Preparing to close the program...", true);
        ui::Form::hide();
        forest_.context().programClosing = true;
        ui::Application& app = ui::Application::instance();
        // The catalogs' records go next: no list may show them meanwhile.
        if (searchForm_) {
            searchForm_->hide();
            app.processMessages();
            searchForm_->NormalResults().ClearSearchResults();
            searchForm_->DuplicateResults().ClearSearchResults();
            searchForm_->FoundList.SyncRowCount();
            searchForm_->hide();
        }
        if (services_.showClosingNotice && !forest_.roots().empty())
            services_.showClosingNotice();
        app.helpQuit(hwnd());
        app.processMessages();
        CloseAllCatalogs(lifeCycle_, false);
    } catch (...) {
        ShowStatus("", false);
        throw;
    }
    ShowStatus("", false);
}

void MainForm::FormDestroy() {
    Destroying = true;
    autoSaveTimer_.setEnabled(false);
    SaveWindowPos();
}

}  // namespace kv
