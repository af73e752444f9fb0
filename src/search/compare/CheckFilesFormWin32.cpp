#include "search/compare/CheckFilesFormWin32.h"

namespace kv {

namespace {

void place(ui::Control& c, ui::Control& parent, const std::string& text, int x, int y, int w, int h) {
    if (!text.empty())
        c.setText(text);
    c.setBounds(x, y, w, h);
    c.create(&parent);
}

}  // namespace

TCheckFilesForm::TCheckFilesForm(CheckFilesServices services) : services_(std::move(services)) {
    setCaption("Compare Files to Catalog");
    setBorderStyle(ui::BorderStyle::Dialog);
    setPosition(ui::FormPosition::MainFormCenter);
    setClientSize(410, 440);
    createHandle();
    place(SourceLabel, *this, "Source folders for files to check:", 8, 8, 300, 16);
    place(SourceDir, *this, "", 8, 26, 300, 22);
    SourceDir.onChange = [this](ui::Edit&) { UpdateButtons(); };
    place(BrowseBtn, *this, "Browse", 318, 24, 84, 25);
    BrowseBtn.onClick = [this](ui::Button&) { BrowseBtnClick(); };
    place(SubfoldersCheck, *this, "Check all files in subfolders, too", 8, 54, 300, 20);
    SubfoldersCheck.setChecked(true);
    place(OptionsLabel, *this, "Options", 8, 80, 200, 16);
    place(OptionsBox, *this, "", 8, 96, 394, 56);
    place(SameLabel, OptionsBox, "Files are considered the same when they have the same:", 8, 6, 370, 16);
    place(SameNameCheck, OptionsBox, "Name", 8, 28, 70, 20);
    SameNameCheck.setChecked(true);
    SameNameCheck.setEnabled(false);
    place(SameSizeCheck, OptionsBox, "Size", 84, 28, 70, 20);
    SameSizeCheck.setChecked(true);
    place(SameDateCheck, OptionsBox, "Date and Time", 160, 28, 110, 20);
    SameDateCheck.setChecked(true);
    place(SameAttrCheck, OptionsBox, "Attributes", 278, 28, 100, 20);
    place(TreeLabel, *this, "Search for files in the following disks or catalogs:", 8, 160, 390, 16);
    CatalogTree.View().setBounds(8, 178, 300, 214);
    CatalogTree.Create(*this);
    CatalogTree.changed = [this] { UpdateButtons(); };
    place(IncludeBtn, *this, "&Include All", 318, 178, 84, 25);
    IncludeBtn.Tag = 1;
    IncludeBtn.onClick = [this](ui::Button&) { CatalogTree.SetAll(true); };
    place(ExcludeBtn, *this, "E&xclude All", 318, 210, 84, 25);
    ExcludeBtn.onClick = [this](ui::Button&) { CatalogTree.SetAll(false); };
    place(BtnSearch, *this, "Search", 228, 404, 84, 25);
    BtnSearch.setDefault(true);
    BtnSearch.onClick = [this](ui::Button&) { BtnSearchClick(); };
    place(BtnCancel, *this, "Cancel", 318, 404, 84, 25);
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
