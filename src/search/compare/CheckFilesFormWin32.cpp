#include "search/compare/CheckFilesFormWin32.h"

#include "ui/PlaceControl.h"

namespace kv {

TCheckFilesForm::TCheckFilesForm(CheckFilesServices services) : services_(std::move(services)) {
    setCaption("Compare Files to Catalog");
    setBorderStyle(ui::BorderStyle::Dialog);
    setPosition(ui::FormPosition::MainFormCenter);
    setClientSize(410, 440);
    createHandle();
    ui::Put(SourceLabel, *this, 8, 8, 300, 16, "Source folders for files to check:");
    ui::Put(SourceDir, *this, 8, 26, 300, 22);
    SourceDir.onChange = [this](ui::Edit&) { UpdateButtons(); };
    ui::Put(BrowseBtn, *this, 318, 24, 84, 25, "Browse");
    BrowseBtn.onClick = [this](ui::Button&) { BrowseBtnClick(); };
    ui::Put(SubfoldersCheck, *this, 8, 54, 300, 20, "Check all files in subfolders, too");
    SubfoldersCheck.setChecked(true);
    ui::Put(OptionsLabel, *this, 8, 80, 200, 16, "Options");
    ui::Put(OptionsBox, *this, 8, 96, 394, 56);
    ui::Put(SameLabel, OptionsBox, 8, 6, 370, 16, "Files are considered the same when they have the same:");
    ui::Put(SameNameCheck, OptionsBox, 8, 28, 70, 20, "Name");
    SameNameCheck.setChecked(true);
    SameNameCheck.setEnabled(false);
    ui::Put(SameSizeCheck, OptionsBox, 84, 28, 70, 20, "Size");
    SameSizeCheck.setChecked(true);
    ui::Put(SameDateCheck, OptionsBox, 160, 28, 110, 20, "Date and Time");
    SameDateCheck.setChecked(true);
    ui::Put(SameAttrCheck, OptionsBox, 278, 28, 100, 20, "Attributes");
    ui::Put(TreeLabel, *this, 8, 160, 390, 16, "Search for files in the following disks or catalogs:");
    CatalogTree.View().setBounds(8, 178, 300, 214);
    CatalogTree.Create(*this);
    CatalogTree.changed = [this] { UpdateButtons(); };
    ui::Put(IncludeBtn, *this, 318, 178, 84, 25, "&Include All");
    IncludeBtn.Tag = 1;
    IncludeBtn.onClick = [this](ui::Button&) { CatalogTree.SetAll(true); };
    ui::Put(ExcludeBtn, *this, 318, 210, 84, 25, "E&xclude All");
    ExcludeBtn.onClick = [this](ui::Button&) { CatalogTree.SetAll(false); };
    ui::Put(BtnSearch, *this, 228, 404, 84, 25, "Search");
    BtnSearch.setDefault(true);
    BtnSearch.onClick = [this](ui::Button&) { BtnSearchClick(); };
    ui::Put(BtnCancel, *this, 318, 404, 84, 25, "Cancel");
    BtnCancel.modalResult = ui::mrCancel;
    setDefaultControl(&BtnSearch);
    setCancelControl(&BtnCancel);
}

void TCheckFilesForm::FormShow(const Forest& forest, const Node* chosenCatalog) {
    CatalogTree.CreateOwnCatalogTree(forest, chosenCatalog);
    SourceDir.setText(services_.mainFolder);
    UpdateButtons();
}

void TCheckFilesForm::UpdateButtons() {
    ScopeModel& model = CatalogTree.Model();
    IncludeBtn.setEnabled(model.CanInclude());
    ExcludeBtn.setEnabled(model.CanExclude());
    BtnSearch.setEnabled(model.CanExclude() && !SourceDir.text().empty());
}

std::optional<std::string> TCheckFilesForm::ValidFolder() {
    std::string folder = SourceDir.text();
    if (folder.empty())
        return std::nullopt;
    if (folder.back() != '\\')
        folder += '\\';
    if (services_.folderExists && !services_.folderExists(folder)) {
        if (services_.prompt)
            services_.prompt->ask({"Folder \"" + folder + "\" does not exist!", "Invalid folder", ui::PromptButtons::Ok,
                                   ui::PromptIcon::Warning});
        return std::nullopt;
    }
    return folder;
}

void TCheckFilesForm::BtnSearchClick() {
    const std::optional<std::string> folder = ValidFolder();
    if (!folder)
        return;
    folder_ = *folder;
    SourceDir.setText(folder_);
    setModalResult(ui::mrOk);
}

void TCheckFilesForm::BrowseBtnClick() {
    std::string start = SourceDir.text();
    if (!start.empty() && start.back() != '\\')
        start += '\\';
    if (start.empty() || (services_.folderExists && !services_.folderExists(start)))
        start = services_.mainFolder;
    if (!services_.browseFolder)
        return;
    if (const std::optional<std::string> chosen = services_.browseFolder(start))
        SourceDir.setText(*chosen);
    UpdateButtons();
}

}  // namespace kv
