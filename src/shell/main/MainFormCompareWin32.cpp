// Compare to Media from the main window: asks, finds the medium, compares
// with the wait box's live counters and shows the compare window.
#include "shell/main/MainFormWin32.h"

#include "base/text/AnsiCase.h"
#include "catalog/file/CatalogLoad.h"
#include "catalog/model/ItemPath.h"
#include "catalog/model/ItemRecords.h"
#include "search/compare/CompareEngine.h"
#include "search/compare/CompareFormWin32.h"
#include "search/reports/ReportSources.h"
#include "shell/browse/ItemCells.h"
#include "shell/browse/ItemRows.h"
#include "shell/browse/ListLayoutWin32.h"
#include "shell/browse/LocaleFormatsWin32.h"
#include "shell/commands/SearchRefusal.h"
#include "shell/commands/StatusTexts.h"
#include "system/drives/MediaTypes.h"
#include "shell/folderbrowse/FolderPicker.h"
#include "ui/SharedImages.h"
#include "ui/WaitForm.h"
#include "ui/WindowDisabler.h"

namespace kv {

namespace {

// A disk by its media type name in lower case (two names keep their capitals), else "folder".
std::string CompareKindText(const ItemHead& rec) {
    const auto* disk = RecordAs<TDiskRec>(&rec);
    if (!disk)
        return "folder";
    const std::uint8_t code = disk->volume.mediaType;
    const std::string name = MediaTypeName(code, disk->flags);
    return code == 10 || code == 12 ? name : lowerCase(name, cp1252CaseMap());
}

}  // namespace

CompareFormServices MainForm::compareFormServices() {
    CompareFormServices s;
    fillToolWindowServices(s);
    s.listChanged = [this] {
        if (userListForm_)
            userListForm_->SetRefresh(1);
        if (searchForm_)
            searchForm_->SetPendingRefresh(2);
    };
    s.columnsSetup = [this] { ColumnsSetupClick(ColumnsList::CompareResults); };
    s.reportOfList = [this] { OpenReportGenerator(ReportOrigin::CompareWindow); };
    s.userListDropTarget = [this](HWND target) { return userListForm_ && userListForm_->IsDropTarget(target); };
    // Files found on disk show their size, date and icon as the records beside them do.
    s.mediaCells.size = [this](std::uint64_t bytes) { return SizeCellText(bytes, browse_->browser().cellContext()); };
    s.mediaCells.dateTime = [this](std::uint32_t dosTime) {
        return DateTimeCellText(dosTime, browse_->browser().cellContext());
    };
    if (iconList_)
        s.fileIcon = [this](const std::string& name) { return iconList_->AddIcon(name); };
    return s;
}

const FoundCellProvider& MainForm::compareCells() {
    if (!compareCells_)
        compareCells_ = makeListCells(ItemListKind::CompareResults);
    return *compareCells_;
}

void MainForm::showCompareResults(CompareResults results, const std::string& description) {
    TCompareForm form(compareFormServices());
    form.SetCellProvider(&compareCells(), iconList_ ? SmallImages().handle() : nullptr);
    ApplyListLayout(form.CompareListView, ColumnsList::CompareResults,
                    ReadColumnsRecord(services_.programStore, ColumnsList::CompareResults));
    form.SetResults(std::move(results), description);
    compareForm_ = &form;
    if (compareShown)
        compareShown(form);
    else
        form.showModal();
    compareForm_ = nullptr;
    ColumnsRecord record = ReadColumnsRecord(services_.programStore, ColumnsList::CompareResults);
    if (ReadListLayout(form.CompareListView, record))
        WriteColumnsRecord(services_.programStore, ColumnsList::CompareResults, record);
}

void MainForm::CompareClick(CommandSource source) {
    if (RefusedDuringSearch(CommandInfoOf(CommandId::Compare).refusal, searchRunning(), *prompt_))
        return;
    const std::optional<CommandTarget> target = GetCommandTarget(source, CommandFocus());
    Node* node = target ? target->node : nullptr;
    ItemHead* rec = node ? node->record() : nullptr;
    if (rec && HasFlag(rec->flags, ItemFlags::Archive) && node->parent()) {
        node = node->parent();
        rec = node->record();
    }
    if (!rec || (rec->kind() != ItemFlags::Disk && rec->kind() != ItemFlags::Folder))
        return;
    const std::string kind = CompareKindText(*rec);
    if (prompt_->ask({"About to compare " + kind + " \"" + node->text() +
                          "\" in catalog to original media, please confirm.",
                      "Compare to media", ui::PromptButtons::OkCancel, ui::PromptIcon::Warning}) != ui::PromptAnswer::Ok)
        return;
    const std::optional<std::string> root = mediumRootOf(rec, true);
    if (!root)
        return;
    const char letter = root->size() >= 2 && (*root)[1] == ':' ? (*root)[0] : '?';
    std::string start = *root + GetItemPath(rec, true, true);
    if (start.back() != '\\')
        start += '\\';

    CompareResults results;
    ShowStatus("Comparing data in catalog to media, please wait", true);
    try {
        TWaitCompareForm wait;
        wait.ShowWaitCompare("Comparing to media, please wait...");
        // The program's other windows wait with the box (RAII: also when the walk fails).
        const ui::WindowDisabler others(wait.hwnd());
        std::unique_ptr<CompareEngine> engine;
        DWORD shown = GetTickCount();
        CompareHooks hooks;
        hooks.processMessages = [&] {
            if (GetTickCount() - shown >= 100) {
                shown = GetTickCount();
                wait.ShowCounts(engine->Partial(), engine->State() == CompareState::Deleted);
            }
            ui::Application::instance().processMessages();
        };
        engine = std::make_unique<CompareEngine>(services_.files, hooks);
        results = engine->CompareToMedia(*node, start);
    } catch (const EAbort&) {
        ShowStatus("", false);
        return;
    } catch (const std::exception& e) {
        ShowStatus("", false);
        prompt_->showError(e.what());
        return;
    }
    ShowStatus("", false);
    if (results.Count(kCategoryNew) + results.Count(kCategoryChanged) + results.Count(kCategoryDeleted) == 0) {
        prompt_->showInformation("No changes have been detected on the media. Catalog data for " + kind + " \"" +
                                     node->text() + "\" is up to date.",
                                 "No changes detected");
        return;
    }
    const std::string description =
        rec->kind() == ItemFlags::Folder
            ? "Comparing folder \"" + node->text() + "\" in catalog with the same folder on drive " + letter + ":"
            : "Comparing " + kind + " \"" + node->text() + "\" in catalog with contents of drive " + letter + ":";
    showCompareResults(std::move(results), description);
}

}  // namespace kv

namespace kv {

namespace {

double CheckTotal(const std::vector<Node*>& scope) {
    double total = 0;
    auto addDisk = [&](const Node& disk) {
        if (const auto* rec = RecordAs<TDiskRec>(disk.record()))
            total += rec->volume.fileCount + rec->volume.archiveMemberCount;
    };
    for (const Node* node : scope) {
        if (RecordAs<TDiskRec>(node->record()))
            addDisk(*node);
        else
            for (const auto& child : node->children())
                addDisk(*child);
    }
    return total;
}

}  // namespace

void MainForm::CheckFilesClick() {
    if (RefusedDuringSearch(CommandInfoOf(CommandId::CheckCat).refusal, searchRunning(), *prompt_))
        return;
    CheckFilesServices s;
    s.prompt = prompt_.get();
    s.browseFolder = [this](const std::string& start) -> std::optional<std::string> {
        FolderBrowseRequest request;
        request.caption = "Select location of files to check:";
        request.startFolder = start;
        const std::optional<FolderBrowseResult> chosen = folderPicker().BrowseForFolder(request);
        return chosen ? std::optional<std::string>(chosen->folder) : std::nullopt;
    };
    s.folderExists = [](const std::string& folder) {
        const DWORD attributes = GetFileAttributesA(folder.c_str());
        return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
    };
    s.mainFolder = lastCheckFolder_;
    TCheckFilesForm form(std::move(s));
    Node* top = selected();
    while (top && top->parent())
        top = top->parent();
    form.FormShow(forest_, top);
    if (checkFilesShown ? !checkFilesShown(form) : form.showModal() != ui::mrOk)
        return;
    const std::string folder = form.Folder();
    lastCheckFolder_ = folder;
    const std::vector<Node*> scope = form.Scope();

    ui::WaitFormProgress wait;
    CompareResults results;
    ShowStatus("Checking if files exist in the catalog, please wait", true);
    try {
        wait.showWaitWindow("Loading catalog data, please wait...", true, true);
        const double total = CheckTotal(scope);
        wait.setWaitTotal(total);
        CompareHooks hooks;
        hooks.processMessages = [] { ui::Application::instance().processMessages(); };
        hooks.cancelled = [&wait] { return wait.cancelPressed(); };
        hooks.step = [&wait](std::int64_t n) { wait.stepWaitProgress(static_cast<double>(n)); };
        hooks.status = [&wait, total](const std::string& text) {
            if (text.starts_with("Loading disk")) {
                wait.setWaitText(text);
            } else if (text.starts_with("Sorting files")) {
                wait.showWaitWindow(text, true, true);
                wait.setWaitTotal(total);
            } else {
                wait.showWaitWindow(text, false, false);
            }
        };
        CompareEngine engine(services_.files, hooks);
        results = engine.CheckFilesAgainstCatalog(scope, folder, form.IncludeSubfolders(), form.Keys());
    } catch (const EAbort&) {
        wait.closeWaitWindow();
        ShowStatus("", false);
        return;
    } catch (const std::exception& e) {
        wait.closeWaitWindow();
        ShowStatus("", false);
        prompt_->showError(e.what());
        return;
    }
    wait.closeWaitWindow();
    ShowStatus("", false);
    if (results.Count(0) + results.Count(1) + results.Count(2) == 0) {
        prompt_->showInformation("No files were found at specified location (\"" + folder + "\").", "No files found");
        return;
    }
    showCompareResults(std::move(results),
                       "Checking if files at \"" + folder + "\" are present in selected catalogs or disks:");
}

}  // namespace kv
