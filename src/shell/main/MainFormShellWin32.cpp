// The commands that reach catalogued items on their real media (Copy To, View,
// Launch, Open in Explorer, Extract To) and the Help menu's windows, from the
// menus, the toolbar, the popups, keys and the search window's hits.
#include "shell/main/MainFormWin32.h"

#include <shellapi.h>

#include <map>

#include "archive/TempExtraction.h"
#include "catalog/media/LocateItemMedia.h"
#include "catalog/media/RealPath.h"
#include "catalog/media/SystemDrives.h"
#include "catalog/model/ItemPath.h"
#include "catalog/model/ItemRecords.h"
#include "catalog/model/Node.h"
#include "scan/ArchiveTypes.h"
#include "shell/about/AboutFormsWin32.h"
#include "shell/copy/CopyToFormWin32.h"
#include "shell/settings/SettingsStore.h"
#include "shell/viewer/ViewerFormWin32.h"
#include "shell/viewer/ViewerRules.h"
#include "system/files/FileQueries.h"
#include "system/files/QuietErrorsWin32.h"

namespace kv {

namespace {

bool FolderExists(const std::string& path) {
    const QuietErrors quiet;
    std::string bare = path;
    if (bare.size() > 3 && (bare.back() == '\\' || bare.back() == '/'))
        bare.pop_back();
    const DWORD a = GetFileAttributesA(bare.c_str());
    return a != INVALID_FILE_ATTRIBUTES && (a & FILE_ATTRIBUTE_DIRECTORY);
}

std::string NameOf(const ItemHead* item) {
    if (const auto* file = RecordAs<TFileRec>(item))
        return std::string(file->name());
    return item && item->node ? item->node->text() : std::string();
}

}  // namespace

MediaPrompts& MainForm::mediaPrompts() {
    if (!mediaPrompts_)
        mediaPrompts_ = std::make_unique<MediaFormPrompts>(*prompt_);
    return *mediaPrompts_;
}

IFolderPicker& MainForm::folderPicker() {
    if (!browseFolder_)
        browseFolder_ = std::make_unique<TBrowseFolderForm>(services_.programStore, *prompt_);
    return *browseFolder_;
}

LocateResult MainForm::locateMedia(const ItemHead* item, char& letter, bool allowManual) {
    ui::ScopedHourglass wait;
    SystemDrives drives;
    return LocateMedia(item, letter, allowManual, drives, mediaPrompts());
}

std::optional<std::string> MainForm::mediumRootOf(const ItemHead* item, bool allowManual) {
    char letter = 0;
    if (services_.locateMedium) {
        const std::optional<char> found = services_.locateMedium(item);
        if (!found)
            return std::nullopt;
        letter = *found;
    } else if (locateMedia(item, letter, allowManual) != LocateResult::Found) {
        return std::nullopt;
    }
    return services_.mediumRoot ? services_.mediumRoot(letter) : std::string(1, letter) + ":";
}

std::string MainForm::extractFolder() const {
    const std::string& chosen = services_.settings.Get().extractFolder;
    return chosen.empty() ? services_.files.TempFolder() : chosen;
}

std::optional<std::string> MainForm::realFileOf(const ItemHead* item, const std::string& root) {
    if (!IsArchiveMember(item))
        return RealPathOf(item, root);
    const std::string archive = RealFolderOf(item, root);
    const int type = GetArchiveType(archive);
    const ArchiveTypeRow* row = ArchiveTypeInfo(type);
    // Members of kinds that cannot be read back out are passed over.
    if (!row || !row->extractable || !services_.extraction)
        return std::nullopt;
    if (!services_.files.Exists(archive)) {
        prompt_->ask(FileNotFoundMessage());
        return std::nullopt;
    }
    const std::string folder = extractFolder();
    const std::string name = NameOf(item);
    const std::vector<std::string> names{name};
    if (!services_.extraction->ExtractArchiveFiles(type, archive, folder, "", &names, true, false, true))
        return std::nullopt;
    std::string file = ExtractedMemberPath(folder, name);
    if (file.empty())
        return std::nullopt;
    return file;
}

std::uintptr_t MainForm::openWithShell(const std::string& file, const std::string& parameters,
                                       const std::string& folder) {
    if (shellOpen)
        return shellOpen(file, parameters, folder);
    const QuietErrors quiet;
    return reinterpret_cast<std::uintptr_t>(ShellExecuteA(hwnd(), "open", file.c_str(),
                                                          parameters.empty() ? nullptr : parameters.c_str(),
                                                          folder.empty() ? nullptr : folder.c_str(), SW_SHOWNORMAL));
}

std::vector<const ItemHead*> MainForm::commandRows(CommandSource source, bool allSelected) {
    const std::optional<CommandTarget> target = GetCommandTarget(source, CommandFocus());
    if (!target)
        return {};
    std::vector<const ItemHead*> rows;
    if (target->fromTree || !allSelected) {
        if (const ItemHead* item = target->item())
            rows.push_back(item);
        return rows;
    }
    CatalogBrowser& browser = browse_->browser();
    for (std::size_t row : browse_->list().selectedRows())
        if (const ItemHead* rec = browser.recordAt(static_cast<std::ptrdiff_t>(row)))
            rows.push_back(rec);
    return rows;
}

void MainForm::runShellCommand(CommandId command, CommandSource source) {
    switch (command) {
    case CommandId::CopyTo: MenuCopyToClick(commandRows(source, true)); break;
    case CommandId::ExtractTo: MenuExtractToClick(commandRows(source, true)); break;
    case CommandId::ViewFile: {
        const std::vector<const ItemHead*> rows = commandRows(source, false);
        MenuViewClick(rows.empty() ? nullptr : rows.front());
        break;
    }
    case CommandId::Launch: {
        const std::vector<const ItemHead*> rows = commandRows(source, false);
        MenuLaunchClick(rows.empty() ? nullptr : rows.front());
        break;
    }
    case CommandId::Explorer: {
        const std::vector<const ItemHead*> rows = commandRows(source, false);
        MenuOpenExplorerClick(rows.empty() ? nullptr : rows.front());
        break;
    }
    case CommandId::About: AboutClick(); break;
    case CommandId::Tips: TipsClick(); break;
    default: break;
    }
}

void MainForm::runShellFoundCommand(FoundAction action, std::span<ItemHead* const> selected, ItemHead* focused) {
    std::vector<const ItemHead*> rows(selected.begin(), selected.end());
    switch (action) {
    case FoundAction::CopyTo: MenuCopyToClick(rows); break;
    case FoundAction::Extract: MenuExtractToClick(rows); break;
    case FoundAction::View: MenuViewClick(focused); break;
    case FoundAction::Launch: MenuLaunchClick(focused); break;
    case FoundAction::Explorer: MenuOpenExplorerClick(focused); break;
    case FoundAction::Report: SearchReportClick(); break;
    default: break;
    }
}

void MainForm::MenuCopyToClick(const std::vector<const ItemHead*>& items) {
    const ItemHead* up = browse_->browser().upRecord();
    std::vector<CopyEntry> entries = PlanCopy(items, up, {});
    // A disk or a catalog alone copies nothing.
    if (entries.empty())
        return;
    FolderBrowseRequest request;
    request.caption = CopyDestinationCaption(entries);
    request.browseOnly = false;
    request.optionCaptions = {"Ask to overwrite existing files or folders",
                              "Report selected items that are missing on the media"};
    if (AnyFolder(entries))
        request.optionCaptions.push_back("Copy all sub-folders, if available");
    request.optionsValueName = "CopyTo";
    request.startFolder = lastCopyFolder_.empty() ? services_.settings.Get().catalogFolder : lastCopyFolder_;
    const std::optional<FolderBrowseResult> chosen = folderPicker().BrowseForFolder(request);
    if (!chosen)
        return;
    lastCopyFolder_ = chosen->folder;
    const CopyOptions options{chosen->options[0], chosen->options[1],
                              request.optionCaptions.size() < 3 || chosen->options[2]};
    entries = PlanCopy(items, up, options);
    TCopyToForm form(services_.files, *prompt_,
                     [this](const CopyEntry& entry) { return mediumRootOf(entry.record, false); });
    copyForm_ = &form;
    struct Clear {
        TCopyToForm*& form;
        ~Clear() { form = nullptr; }
    } clear{copyForm_};
    form.Copy(std::move(entries), chosen->folder, options);
}

void MainForm::MenuViewClick(const ItemHead* item) {
    if (!item || item->kind() != ItemFlags::File)
        return;
    const std::optional<std::string> root = mediumRootOf(item, false);
    if (!root)
        return;
    const std::optional<std::string> file = realFileOf(item, *root);
    if (!file)
        return;
    const Settings& s = services_.settings.Get();
    if (s.externalViewer && !s.externalViewerPath.empty()) {
        const std::string shortPath = GetShortPath(*file);
        const std::string parameter =
            ViewerParameter(*file, shortPath == *file ? std::string() : shortPath, s.shortNamesForViewer);
        // A viewer that does not start leaves the file to the internal one.
        if (openWithShell(s.externalViewerPath, parameter, FolderOf(*file)) > 32)
            return;
    }
    TViewerForm form(services_.settings, *prompt_, &progress_, services_.programKey);
    form.showStatus = [this](const std::string& text) { ShowStatus(text, !text.empty()); };
    viewerForm_ = &form;
    struct Clear {
        TViewerForm*& form;
        ~Clear() { form = nullptr; }
    } clear{viewerForm_};
    if (form.Load(*file))
        form.showModal();
}

void MainForm::MenuLaunchClick(const ItemHead* item) {
    if (!item)
        return;
    const bool archiveFile = IsArchiveFolder(item);
    if (item->kind() != ItemFlags::File && !archiveFile)
        return;
    const std::optional<std::string> root = mediumRootOf(item, false);
    if (!root)
        return;
    if (IsArchiveMember(item)) {
        const std::string kind = LaunchKind(NameOf(item));
        if (!kind.empty()) {
            const ui::PromptAnswer answer = prompt_->ask(LaunchFromArchiveQuestion(kind));
            if (answer == ui::PromptAnswer::Cancel)
                return;
            if (answer == ui::PromptAnswer::Yes) {
                ExtractArchiveTo(item, *root);
                return;
            }
        }
    }
    const std::optional<std::string> file = archiveFile ? RealPathOf(item, *root) : realFileOf(item, *root);
    if (!file)
        return;
    const std::uintptr_t result = openWithShell(*file, "", FolderOf(*file));
    if (const std::optional<ui::PromptRequest> message = LaunchErrorMessage(result, *file))
        prompt_->ask(*message);
}

std::optional<FolderBrowseResult> MainForm::askExtractFolder(const std::string& caption) {
    FolderBrowseRequest request;
    request.caption = caption;
    request.browseOnly = false;
    request.optionCaptions = {"Keep folder structure stored in compressed file"};
    request.optionStates = {services_.settings.Get().restoreArchiveDirs, false, false};
    request.startFolder = extractFolder();
    return folderPicker().BrowseForFolder(request);
}

void MainForm::ExtractArchiveTo(const ItemHead* member, const std::string& root) {
    const std::string archive = RealFolderOf(member, root);
    const int type = GetArchiveType(archive);
    if (!services_.extraction || !ArchiveTypeInfo(type))
        return;
    const std::optional<FolderBrowseResult> chosen =
        askExtractFolder("Extract \"" + std::string(LastPathPart(archive)) + "\" to:");
    if (!chosen)
        return;
    const bool keep = chosen->options[0];
    if (!services_.extraction->ExtractArchiveFiles(type, archive, chosen->folder, "*.*", nullptr, false, keep, true))
        return;
    const std::string file = ExtractedArchivePath(chosen->folder, NameOf(member), keep);
    if (file.empty())
        return;
    const std::uintptr_t result = openWithShell(file, "", chosen->folder);
    if (const std::optional<ui::PromptRequest> message = LaunchErrorMessage(result, file))
        prompt_->ask(*message);
}

void MainForm::MenuOpenExplorerClick(const ItemHead* item) {
    Node* shown = selected();
    const ItemHead* folder = ExplorerTarget(item, false, shown ? shown->record() : nullptr);
    if (!folder || (folder->kind() != ItemFlags::Folder && folder->kind() != ItemFlags::Disk))
        return;
    const std::optional<std::string> root = mediumRootOf(folder, false);
    if (!root)
        return;
    std::string path = RealPathOf(folder, *root);
    // A backslash before the closing quote would read as an escaped quote.
    if (path.size() > 3 && path.back() == '\\')
        path.pop_back();
    if (path.size() > 3 && !FolderExists(path)) {
        prompt_->ask(FolderNotFoundMessage());
        return;
    }
    const std::string& shell = services_.settings.Get().externalShellPath;
    const std::string program = shell.empty() ? "EXPLORER.EXE" : shell;
    const std::string commandLine = ExplorerCommandLine(program, path);
    DWORD failure = 0;
    if (runProgram) {
        failure = runProgram(commandLine);
    } else {
        STARTUPINFOA startup{};
        startup.cb = sizeof startup;
        startup.dwFlags = STARTF_USESHOWWINDOW;
        startup.wShowWindow = SW_SHOWNORMAL;
        PROCESS_INFORMATION process{};
        std::string line = commandLine;
        if (CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process)) {
            CloseHandle(process.hThread);
            CloseHandle(process.hProcess);
        } else {
            failure = GetLastError();
        }
    }
    if (failure == ERROR_FILE_NOT_FOUND || failure == ERROR_PATH_NOT_FOUND)
        prompt_->ask({"Specified external program (" + program + ") can not be found. Please check your settings.",
                      "Can't start external program", ui::PromptButtons::Ok, ui::PromptIcon::Stop});
}

void MainForm::MenuExtractToClick(const std::vector<const ItemHead*>& rows) {
    // Members, and archives shown as folders (all their members).
    std::vector<const ItemHead*> wanted;
    for (const ItemHead* row : rows)
        if (IsArchiveMember(row) || IsArchiveFolder(row))
            wanted.push_back(row);
    if (wanted.empty() || !services_.extraction)
        return;
    const std::optional<FolderBrowseResult> chosen =
        askExtractFolder(ExtractCaption(wanted.size(), NameOf(wanted.front())));
    if (!chosen)
        return;
    const bool keep = chosen->options[0];

    // Rows of one disk are extracted from its medium, one archive in one pass.
    struct Archive {
        const ItemHead* first = nullptr;
        std::vector<std::string> members;  // empty: everything
        bool whole = false;
    };
    std::vector<std::pair<const Node*, std::vector<std::pair<const Node*, Archive>>>> disks;
    for (const ItemHead* row : wanted) {
        const Node* archiveNode = row->node;
        const Node* disk = GetItemOwner(row, IsArchiveFolder(row) ? OwnerQuery::DiskOfFolder : OwnerQuery::DiskOfOwner);
        auto d = std::find_if(disks.begin(), disks.end(), [&](const auto& e) { return e.first == disk; });
        if (d == disks.end()) {
            disks.push_back({disk, {}});
            d = disks.end() - 1;
        }
        auto a = std::find_if(d->second.begin(), d->second.end(), [&](const auto& e) { return e.first == archiveNode; });
        if (a == d->second.end()) {
            d->second.push_back({archiveNode, Archive{row, {}, false}});
            a = d->second.end() - 1;
        }
        if (IsArchiveFolder(row))
            a->second.whole = true;
        else
            a->second.members.push_back(NameOf(row));
    }
    const bool several = wanted.size() > 1;
    if (several) {
        progress_.showWaitWindow("Extracting files", true, false);
        progress_.setWaitTotal(100);
        ShowStatus("Extracting selected files, please wait", true);
    }
    bool ok = true;
    for (auto& [disk, archives] : disks) {
        const std::optional<std::string> root = mediumRootOf(archives.front().second.first, false);
        if (!root) {
            ok = false;
            break;
        }
        for (auto& [node, archive] : archives) {
            const ItemHead* first = archive.first;
            const std::string path = IsArchiveFolder(first) ? RealPathOf(first, *root) : RealFolderOf(first, *root);
            const int type = GetArchiveType(path);
            if (!services_.extraction->ExtractArchiveFiles(type, path, chosen->folder, archive.whole ? "*.*" : "",
                                                           archive.whole ? nullptr : &archive.members, false, keep,
                                                           !several)) {
                ok = false;
                break;
            }
        }
        if (!ok)
            break;
    }
    if (several) {
        progress_.closeWaitWindow();
        ShowStatus("", false);
    }
    if (!ok)
        prompt_->ask({"Extracting file(s) was NOT completed successfuly!", "Extract Error", ui::PromptButtons::Ok,
                      ui::PromptIcon::Warning});
}

void MainForm::AboutClick() {
    TAboutDlg dialog;
    dialog.showModal();
}

void MainForm::TipsClick() {
    TTipsDialog dialog;
    const bool atStart = services_.settings.Get().tipsAtStart;
    dialog.ShowOnStartup.setChecked(atStart);
    tipsForm_ = &dialog;
    struct Clear {
        TTipsDialog*& form;
        ~Clear() { form = nullptr; }
    } clear{tipsForm_};
    dialog.showModal();
    const bool wanted = dialog.ShowOnStartup.checked();
    if (wanted != atStart)
        services_.settings.Update([wanted](Settings& s) { s.tipsAtStart = wanted; });
}

}  // namespace kv
