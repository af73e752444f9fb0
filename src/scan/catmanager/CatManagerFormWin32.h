#pragma once
// "Catalog Manager": two open catalogs side by side as lists of their disks;
// disks are copied, moved, renamed and deleted between them.
#include <array>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "catalog/model/Node.h"
#include "ui/Button.h"
#include "ui/DragSession.h"
#include "ui/Form.h"
#include "ui/ItemLists.h"
#include "ui/Label.h"
#include "ui/StatusBar.h"
#include "ui/UserPrompt.h"

namespace kv {

struct CatManagerServices {
    ui::UserPrompt* prompt = nullptr;
    // The text input window: the text entered, nothing after Cancel.
    std::function<std::optional<std::string>(const std::string& caption, const std::string& label,
                                             const std::string& text)>
        askText;
    // Deletes a disk node with its records (the tree's selection moves away first).
    std::function<void(Node& disk)> deleteDisk;
    std::function<void(Node* disk)> showProperties;
    // The progress window without bar; empty text closes it.
    std::function<void(const std::string& text)> progress;
    // After disks came or went: the search window's scope and categories.
    std::function<void()> catalogsChanged;
    std::string decimalSeparator = ".";
};

class TCatManagerForm : public ui::Form {
public:
    explicit TCatManagerForm(CatManagerServices services);
    ~TCatManagerForm() override;

    // Shows the window over the open catalogs; the left one shows current's catalog.
    void Run(const std::vector<Node*>& catalogs, Node* current);

    ui::Label LeftLabel, RightLabel;
    std::array<ui::ComboBox, 2> CatalogCombos;
    std::array<ui::ListBox, 2> DiskLists;
    ui::Button CopyBtn, MoveBtn, RenameBtn, DeleteBtn, PropertiesBtn, DoneBtn;
    ui::StatusBar StatusBar;
    // The pane that last had the focus: 0 left, 1 right.
    int ActivePane = 0;
    std::vector<Node*> Catalogs;

    void CatalogComboChange(int pane);
    void PaneEnter(int pane);
    void MoveOrCopyBtnClick(bool move);
    // Disks dragged from one list onto the other move (while two catalogs are open).
    ui::DragSession& drag() { return drag_; }
    void DiskListDragDrop(int targetPane);
    void RenameBtnClick();
    void DeleteBtnClick(bool confirm);
    void PropertiesBtnClick();
    void UpdateCatManagerButtons();
    void UpdateCatManagerStatus();

private:
    Node* catalogOf(int pane) const;
    std::vector<Node*> selectedDisks(int pane) const;
    void fillDisks(int pane);
    void moveOrCopy(const std::vector<Node*>& disks, Node* target, bool move);
    void armDrag(int pane, int x, int y);
    ui::DragSession drag_;
    int dragPane_ = -1;
    std::vector<Node*> dragged_;
    CatManagerServices services_;
};

}  // namespace kv
