#pragma once
// The import dialog: a folder, its ".DSK" files, and what the chosen one's
// ".CMT" file says (the catalog's name) with the number of disks.
#include <functional>
#include <optional>
#include <string>

#include "system/files/FileSystem.h"
#include "ui/Button.h"
#include "ui/Edit.h"
#include "ui/Form.h"
#include "ui/ItemLists.h"
#include "ui/Label.h"

namespace kv {

class TImportForm : public ui::Form {
public:
    // The folder the user picks, starting at a folder; nothing when cancelled.
    using FolderPicker = std::function<std::optional<std::string>(const std::string& start)>;
    // Without a picker the folder is typed only.
    explicit TImportForm(IFileSystem& files, FolderPicker pickFolder = nullptr);
    ~TImportForm() override;

    // The ".DSK" file chosen, nothing after Cancel.
    std::optional<std::string> Choose(const std::string& folder);

    ui::Label DirLabel, FilesLabel, NameCaption, NameLabel, CountLabel;
    ui::Edit DirEdit;
    ui::Button BrowseBtn, OKBtn, CancelBtn;
    ui::ListBox FileListBox;

    void DirTreeChange(const std::string& folder);
    void FileListBoxChange();
    void FileListBoxDblClick();

private:
    std::string chosenPath() const;
    IFileSystem& files_;
    FolderPicker pickFolder_;
    std::string folder_;
};

}  // namespace kv
