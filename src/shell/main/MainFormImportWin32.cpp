// Import from Ostrandel: the earlier DOS program's database as a new catalog.
#include "shell/main/MainFormWin32.h"

#include "scan/dosimport/ImportFormWin32.h"
#include "scan/dosimport/OstrandelImport.h"
#include "shell/commands/CommandTable.h"

namespace kv {

void MainForm::importOstrandel() {
    if (RefusedDuringSearch(CommandInfoOf(CommandId::Import).refusal, searchRunning(), *prompt_))
        return;
    if (prompt_->ask({"Import a database of Ostrandel, the earlier DOS cataloguing program, into a new catalog?",
                      "Ostrandel Import", ui::PromptButtons::YesNo, ui::PromptIcon::Question}) !=
        ui::PromptAnswer::Yes)
        return;
    std::optional<std::string> dsk;
    {
        TImportForm form(services_.files, [this](const std::string& start) -> std::optional<std::string> {
            FolderBrowseRequest request;
            request.caption = "Folder of the Ostrandel database:";
            request.startFolder = start;
            const std::optional<FolderBrowseResult> chosen = folderPicker().BrowseForFolder(request);
            if (!chosen)
                return std::nullopt;
            return chosen->folder;
        });
        dsk = form.Choose(importFolder_.empty() ? AppDir : importFolder_);
    }
    if (!dsk)
        return;
    importFolder_ = dsk->substr(0, dsk->find_last_of('\\') == std::string::npos ? 0 : dsk->find_last_of('\\'));
    std::string error;
    const std::optional<OstrandelDatabase> database = ReadOstrandelDatabase(services_.files, *dsk, error);
    if (!database) {
        prompt_->showError(error, "Problem");
        return;
    }
    ShowStatus("Importing Ostrandel database, please wait...", true);
    progress_.showWaitWindow("Importing Ostrandel database...", true, false);
    double shown = 0;
    OstrandelImportResult result;
    try {
        result = ImportOstrandelDatabase(forest_, *database, [&](std::size_t total, std::size_t done) {
            if (done == 0) progress_.setWaitTotal(static_cast<double>(total));
            progress_.stepWaitProgress(static_cast<double>(done) - shown);
            shown = static_cast<double>(done);
        });
    } catch (const std::exception& e) {
        progress_.closeWaitWindow();
        ShowStatus("", false);
        prompt_->showError(e.what());
        return;
    }
    progress_.closeWaitWindow();
    ShowStatus("", false);
    if (result.entriesMissing)
        prompt_->showError(kOstrandelNoEntries, "Problem");
    browse_->catalogOpened(*result.catalog);
    rebuildSearchScope();
    updateCommands(kUpdateAllCommands);
}

}  // namespace kv
