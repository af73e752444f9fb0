#include "scan/dosimport/ImportFormWin32.h"

#include <algorithm>
#include <utility>

#include "base/ByteSource.h"
#include "scan/DialogButtonsWin32.h"
#include "scan/dosimport/OstrandelFiles.h"
#include "ui/PlaceControl.h"

namespace kv {

namespace {

bool IsDskName(const std::string& name) {
    if (name.size() < 4) return false;
    std::string ext = name.substr(name.size() - 4);
    std::transform(ext.begin(), ext.end(), ext.begin(), [](char c) { return c >= 'a' && c <= 'z' ? c - 32 : c; });
    return ext == ".DSK";
}

std::string WithExtension(const std::string& dsk, const char* upper, const char* lower) {
    const bool lowerCase = dsk.size() >= 3 && dsk[dsk.size() - 3] >= 'a' && dsk[dsk.size() - 3] <= 'z';
    return dsk.substr(0, dsk.size() - 3) + (lowerCase ? lower : upper);
}

}  // namespace

TImportForm::TImportForm(IFileSystem& files, FolderPicker pickFolder)
    : files_(files), pickFolder_(std::move(pickFolder)) {
    SetUpDialogForm(*this, "Import Ostrandel Database", "KvImportForm", 420, 324);
    ui::Put(DirLabel, *this, 10, 12, 60, 16, "Folder:");
    ui::Put(DirEdit, *this, 70, 8, 300, 22);
    DirEdit.onExit = [this](ui::Control&) { DirTreeChange(DirEdit.text()); };
    ui::Put(BrowseBtn, *this, 376, 7, 34, 24, "...");
    BrowseBtn.setEnabled(pickFolder_ != nullptr);
    BrowseBtn.onClick = [this](ui::Button&) {
        if (!pickFolder_) return;
        if (std::optional<std::string> folder = pickFolder_(folder_)) DirTreeChange(*folder);
    };
    ui::Put(FilesLabel, *this, 10, 40, 200, 16, "Database files (*.DSK):");
    ui::Put(FileListBox, *this, 10, 58, 400, 150);
    FileListBox.onClick = [this](ui::ListBox&) { FileListBoxChange(); };
    FileListBox.onDblClickItem = [this](ui::ListBox&) { FileListBoxDblClick(); };
    ui::Put(NameCaption, *this, 10, 220, 100, 16, "Catalog name:");
    ui::Put(NameLabel, *this, 112, 220, 298, 16);
    ui::Put(CountLabel, *this, 112, 242, 298, 16);
    CreateDialogButtons(*this, {OKBtn, "OK", ui::mrOk}, {CancelBtn, "Cancel", ui::mrCancel}, 250, 288, 76);
}

TImportForm::~TImportForm() { destroyWindow(); }

std::optional<std::string> TImportForm::Choose(const std::string& folder) {
    DirTreeChange(folder);
    if (showModal() != ui::mrOk) return std::nullopt;
    const std::string path = chosenPath();
    if (path.empty()) return std::nullopt;
    return path;
}

void TImportForm::DirTreeChange(const std::string& folder) {
    folder_ = folder;
    DirEdit.setText(folder);
    FileListBox.clear();
    try {
        std::vector<std::string> names;
        for (const FolderEntry& entry : files_.ListFolder(folder))
            if (!(entry.attributes & kAttrDirectory) && IsDskName(entry.name)) names.push_back(entry.pathName);
        std::sort(names.begin(), names.end());
        for (const std::string& name : names) FileListBox.addItem(name);
    } catch (const std::exception&) {
        FileListBox.addItem("(no files)", -1);
    }
    if (FileListBox.count() > 0 && FileListBox.object(0) != -1) FileListBox.setItemIndex(0);
    FileListBoxChange();
}

std::string TImportForm::chosenPath() const {
    const int index = FileListBox.itemIndex();
    if (index < 0 || FileListBox.object(index) == -1) return "";
    return JoinPath(folder_, FileListBox.items()[static_cast<std::size_t>(index)]);
}

void TImportForm::FileListBoxChange() {
    const std::string dsk = chosenPath();
    NameLabel.setText("");
    CountLabel.setText("");
    OKBtn.setEnabled(false);
    if (dsk.empty()) return;
    std::optional<std::string> name;
    try {
        std::unique_ptr<ByteSource> cmt = files_.OpenRead(WithExtension(dsk, "CMT", "cmt"));
        std::vector<std::uint8_t> head(static_cast<std::size_t>(std::min<std::uint64_t>(cmt->size(), 1024)));
        head.resize(cmt->readAt(0, head.data(), head.size()));
        name = OstrandelCatalogName(head);
    } catch (const std::exception&) {
    }
    if (!name) {
        NameLabel.setText("(not Ostrandel database)");
        return;
    }
    NameLabel.setText(*name);
    const std::optional<std::uint64_t> size = files_.FileSize(dsk);
    const bool valid = size && IsValidOstrandelDiskFile(*size);
    CountLabel.setText(valid ? "Disks in database: " + std::to_string(*size / kOstDiskRecordSize)
                             : "(invalid Ostrandel database)");
    // A partial record would be read past its end: only whole databases import.
    OKBtn.setEnabled(valid);
}

void TImportForm::FileListBoxDblClick() {
    if (OKBtn.enabled()) setModalResult(ui::mrOk);
}

}  // namespace kv
