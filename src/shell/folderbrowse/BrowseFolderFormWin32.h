#pragma once
// The "Select Folder" dialog: a drive and folder tree, the chosen folder's
// path, New Folder, Rename, Delete and Refresh, and up to three option boxes
// whose captions the caller gives.
#include <array>

#include "controls/dirtree/DirTreeWin32.h"
#include "shell/folderbrowse/FolderPicker.h"
#include "system/settings/SectionStore.h"
#include "ui/Button.h"
#include "ui/Form.h"
#include "ui/Label.h"
#include "ui/UserPrompt.h"

namespace kv {

class TBrowseFolderForm : public ui::Form, public IFolderPicker {
public:
    // store: the program's key, where the option boxes' states are kept.
    TBrowseFolderForm(SectionStore& store, ui::UserPrompt& prompt);
    ~TBrowseFolderForm() override;

    ui::TDirTree DirTree;
    ui::Label DirLabel;
    ui::Button OKBtn;
    ui::Button CancelBtn;
    ui::Button NewFolderBtn;
    ui::Button RenameBtn;
    ui::Button DeleteBtn;
    ui::Button RefreshBtn;
    std::array<ui::CheckBox, 3> CheckBoxes;
    // Set: the folders can be chosen, not changed.
    bool BrowseOnly = true;

    int NumCheckBox() const { return numCheckBox_; }
    void SetNumCheckBox(int count);
    void LoadCheckStates(const std::string& valueName, std::int32_t fallback);
    void SaveCheckStates(const std::string& valueName);

    std::optional<FolderBrowseResult> BrowseForFolder(const FolderBrowseRequest& request) override;

private:
    void selectionChanged();
    void newFolderClick();
    void renameClick();
    void deleteClick();
    void endEditing(bool cancel);

    SectionStore& store_;
    ui::UserPrompt& prompt_;
    int numCheckBox_ = 0;
};

}  // namespace kv
