#pragma once
// "Categories Setup": the categories and flag names of every open catalog,
// with copying between catalogs; and the small rename window it uses.
#include <array>
#include <functional>
#include <string>
#include <vector>

#include "catalog/model/Node.h"
#include "scan/categories/CategoryEdit.h"
#include "ui/Button.h"
#include "ui/Edit.h"
#include "ui/Form.h"
#include "ui/ItemLists.h"
#include "ui/Label.h"
#include "ui/Menu.h"
#include "ui/UserPrompt.h"

namespace kv {

class TRenameForm : public ui::Form {
public:
    TRenameForm();
    ~TRenameForm() override;
    // The new text after OK; nothing after Cancel.
    std::optional<std::string> Ask(const std::string& current);
    ui::Edit RenameEdit;
    ui::Button OKBtn, CancelBtn;
};

struct CategoriesServices {
    ui::UserPrompt* prompt = nullptr;
    // The progress window and status while references are cleared; may be empty.
    std::function<void(bool on)> showProgress;
    // After the window closed: the search window's category list.
    std::function<void()> rebuildCategoryLists;
};

class TCategoriesForm : public ui::Form {
public:
    explicit TCategoriesForm(CategoriesServices services);
    ~TCategoriesForm() override;

    // Shows the window over the catalogs (tree order) with StartNode's catalog
    // first; true after OK.
    bool Run(const std::vector<Node*>& catalogs, Node* startNode);

    ui::Label CatalogLabel, CategoryLabel;
    ui::ComboBox CatalogCombo;
    ui::Edit CategoryEdit;
    ui::ListBox CategoryList;
    ui::Button AddBtn, RenameBtn, DeleteBtn, CopyBtn, OKBtn, CancelBtn;
    ui::PopupMenu CatalogPopup;
    std::array<ui::Label, 3> FlagLabels;
    std::array<ui::Edit, 3> FlagEdits;
    std::array<ui::CheckBox, 3> RemoveFlags;

    bool Dirty = false;
    bool EventsEnabled = true;
    std::vector<CategoryEditRec> Edits;
    std::size_t Current = 0;
    CategoryNames List;

    void CatalogComboChange();
    void AddBtnClick();
    void RenameBtnClick();
    void DeleteBtnClick();
    void CopyCategoriesFrom(std::size_t catalog);
    void UpdateCategoryButtons();
    void CommitCategoryChanges();
    void FlagEditExit(std::size_t n);
    void RemoveFlagsClick(std::size_t n);

private:
    void fillList(int select);
    bool closing(bool ok);
    CategoriesServices services_;
    TRenameForm rename_;
};

}  // namespace kv
