#pragma once
// "Compare Files to Catalog": the folder whose files are looked up, the keys
// that make two files the same, and the catalogs and disks to look in. The
// choice of disks is the dialog's own; the search scope's flags stay as they are.
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "search/compare/CompareEngine.h"
#include "search/window/ScopeTreeWin32.h"
#include "ui/Button.h"
#include "ui/Edit.h"
#include "ui/Form.h"
#include "ui/Label.h"
#include "ui/Panel.h"
#include "ui/UserPrompt.h"

namespace kv {

struct CheckFilesServices {
    ui::UserPrompt* prompt = nullptr;
    // The folder dialog from a start folder; nothing when cancelled.
    std::function<std::optional<std::string>(const std::string& start)> browseFolder;
    // Whether a folder exists.
    std::function<bool(const std::string& folder)> folderExists;
    // The main window's folder, offered first and in place of an invalid one.
    std::string mainFolder;
};

class TCheckFilesForm : public ui::Form {
public:
    explicit TCheckFilesForm(CheckFilesServices services);

    // Builds the scope tree: only the disks of `chosenCatalog` checked.
    void FormShow(const Forest& forest, const Node* chosenCatalog);
    // The folder text checked and completed with a final "\"; nothing when
    // empty (silently) or missing (after the warning).
    std::optional<std::string> ValidFolder();
    void BtnSearchClick();
    void BrowseBtnClick();
    void UpdateButtons();

    std::string Folder() const { return folder_; }
    bool IncludeSubfolders() const { return SubfoldersCheck.checked(); }
    CheckKeys Keys() const { return {SameSizeCheck.checked(), SameDateCheck.checked(), SameAttrCheck.checked()}; }
    std::vector<Node*> Scope() { return CatalogTree.Model().CheckedNodes(); }

    ui::Label SourceLabel, SameLabel, TreeLabel;
    ui::Edit SourceDir;
    ui::Button BrowseBtn;
    ui::CheckBox SubfoldersCheck;
    ui::Panel OptionsBox;
    ui::Label OptionsLabel;
    ui::CheckBox SameNameCheck, SameSizeCheck, SameDateCheck, SameAttrCheck;
    ScopeTreeWin32 CatalogTree;
    ui::Button IncludeBtn, ExcludeBtn, BtnSearch, BtnCancel;

private:
    CheckFilesServices services_;
    std::string folder_;
};

}  // namespace kv
