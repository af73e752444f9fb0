// The settings dialog, the setup wizard and the columns setup as the main
// window opens them.
#include "shell/browse/ListLayoutWin32.h"
#include "shell/main/MainFormWin32.h"
#include "shell/settings/SettingsStore.h"

namespace kv {

namespace {

// The settings and the wizard pick folders in the program's "Select Folder" dialog.
FolderPicker settingsFolderPicker(MainForm& form) {
    return [&form](HWND, const FolderPickRequest& request) -> std::optional<std::string> {
        FolderBrowseRequest browse;
        browse.caption = request.caption;
        browse.startFolder = request.folder;
        browse.browseOnly = !request.allowEditing;
        const std::optional<FolderBrowseResult> chosen = form.folderPicker().BrowseForFolder(browse);
        if (!chosen)
            return std::nullopt;
        return chosen->folder;
    };
}

}  // namespace

OptionsServices MainForm::optionsServices() {
    OptionsServices s(services_.settings, services_.programStore);
    s.apply = [this](const Settings& settings) { ApplySettings(settings, *this); };
    s.programDir = AppDir;
    s.tempDir = services_.settings.Defaults().tempDir;
    s.pickFolder = settingsFolderPicker(*this);
    for (const ui::Control* c : toolbars_->Toolbar.children())
        s.toolbarControls.push_back({c->Tag, dynamic_cast<const ui::TDockToolbarButton*>(c) != nullptr, c->left()});
    return s;
}

TOptionsForm& MainForm::optionsForm() {
    if (!optionsForm_)
        optionsForm_ = std::make_unique<TOptionsForm>(optionsServices());
    return *optionsForm_;
}

void MainForm::ShowOptions(int page) {
    TOptionsForm& form = optionsForm();
    if (form.Execute(page) == ui::mrOk)
        ApplySettings(services_.settings.Get(), *this);
    if (form.session().wizardRequested) {
        form.session().wizardRequested = false;
        MenuSetupWizardClick(false);
    }
}

void MainForm::MenuSetupWizardClick(bool firstRun) {
    WizardServices s(services_.settings, services_.programStore);
    s.apply = [this](const Settings& settings) { ApplySettings(settings, *this); };
    s.reload = [this] { services_.settings.Load(services_.programStore); };
    // What OK takes there is applied by the wizard's Finish, or dropped with the rest.
    s.showOptionsPage = [this](int page) {
        TOptionsForm& form = optionsForm();
        form.ShowOnlyPage(static_cast<OptionsPage>(page));
        form.Execute(page);
        form.ShowAllPages();
    };
    s.programDir = AppDir;
    s.tempDir = services_.settings.Defaults().tempDir;
    s.pickFolder = settingsFolderPicker(*this);
    TWizardForm wizard(std::move(s));
    if (wizard.Execute(firstRun) == ui::mrAbort)
        ShowOptions(static_cast<int>(OptionsPage::Interface));
}

ColumnsServices MainForm::columnsServices() {
    ColumnsServices s;
    s.current = [this](int list) {
        switch (list) {
        case ColumnsList::MainDisks:
        case ColumnsList::MainFiles: return browse_->list().currentLayout(list == ColumnsList::MainDisks);
        case ColumnsList::SearchResults: {
            ColumnsRecord record = ReadColumnsRecord(services_.programStore, list);
            if (searchForm_)
                ReadListLayout(searchForm_->FoundList.View(), record);
            return record;
        }
        case ColumnsList::UserList: {
            ColumnsRecord record = ReadColumnsRecord(services_.programStore, list);
            if (userListForm_)
                ReadListLayout(userListForm_->UserListView.View(), record);
            return record;
        }
        case ColumnsList::CompareResults: {
            ColumnsRecord record = ReadColumnsRecord(services_.programStore, list);
            if (compareForm_)
                ReadListLayout(compareForm_->CompareListView, record);
            return record;
        }
        default: return ReadColumnsRecord(services_.programStore, list);
        }
    };
    s.apply = [this](int list, const ColumnsRecord& record) {
        switch (list) {
        case ColumnsList::MainDisks:
        case ColumnsList::MainFiles: browse_->list().setLayout(list == ColumnsList::MainDisks, record); break;
        case ColumnsList::SearchResults:
            if (searchForm_)
                ApplyListLayout(searchForm_->FoundList.View(), list, record);
            WriteColumnsRecord(services_.programStore, list, record);
            break;
        case ColumnsList::UserList:
            if (userListForm_)
                ApplyListLayout(userListForm_->UserListView.View(), list, record);
            WriteColumnsRecord(services_.programStore, list, record);
            break;
        case ColumnsList::CompareResults:
            if (compareForm_)
                ApplyListLayout(compareForm_->CompareListView, list, record);
            WriteColumnsRecord(services_.programStore, list, record);
            break;
        default: WriteColumnsRecord(services_.programStore, list, record); break;
        }
    };
    return s;
}

void MainForm::ColumnsSetupClick(int list) {
    if (!columnsForm_)
        columnsForm_ = std::make_unique<TColumnsForm>(columnsServices());
    if (list < 0)
        list = browse_->list().showsDisks() ? ColumnsList::MainDisks : ColumnsList::MainFiles;
    columnsForm_->Execute(list);
}

}  // namespace kv
