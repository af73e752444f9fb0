#include "scan/categories/CategoriesFormWin32.h"

#include "scan/DialogButtonsWin32.h"
#include "ui/PlaceControl.h"

namespace kv {

namespace {

bool AskWarning(ui::UserPrompt* prompt, const std::string& text) {
    return prompt && prompt->ask({text, "Warning", ui::PromptButtons::YesNo, ui::PromptIcon::Warning}) ==
                         ui::PromptAnswer::Yes;
}

}  // namespace

TRenameForm::TRenameForm() {
    SetUpDialogForm(*this, "Rename", "KvRenameForm", 290, 86);
    ui::Put(RenameEdit, *this, 10, 12, 270, 22);
    CreateDialogButtons(*this, {OKBtn, "OK", ui::mrOk}, {CancelBtn, "Cancel", ui::mrCancel}, 120, 50, 76);
    onShow = [this](ui::Form&) { RenameEdit.setFocus(); };
}

TRenameForm::~TRenameForm() { destroyWindow(); }

std::optional<std::string> TRenameForm::Ask(const std::string& current) {
    RenameEdit.setText(current);
    if (showModal() != ui::mrOk) return std::nullopt;
    return RenameEdit.text();
}

TCategoriesForm::TCategoriesForm(CategoriesServices services) : services_(std::move(services)) {
    SetUpDialogForm(*this, "Categories Setup", "KvCategoriesForm", 430, 384);
    ui::Put(CatalogLabel, *this, 10, 14, 60, 16, "Ca&talog:");
    ui::Put(CatalogCombo, *this, 74, 10, 346, 200);
    CatalogCombo.onChange = [this](ui::ComboBox&) { CatalogComboChange(); };
    ui::Put(CategoryLabel, *this, 10, 44, 100, 16, "Categories:");
    ui::Put(CategoryEdit, *this, 10, 62, 300, 22);
    CategoryEdit.onChange = [this](ui::Edit&) { UpdateCategoryButtons(); };
    CategoryEdit.onEnter = [this](ui::Control&) {
        setDefaultControl(&AddBtn);
        AddBtn.setDefault(true);
        OKBtn.setDefault(false);
    };
    CategoryEdit.onExit = [this](ui::Control&) {
        setDefaultControl(&OKBtn);
        AddBtn.setDefault(false);
        OKBtn.setDefault(true);
    };
    ui::Put(CategoryList, *this, 10, 90, 300, 150);
    CategoryList.onClick = [this](ui::ListBox&) { UpdateCategoryButtons(); };
    CategoryList.onDblClickItem = [this](ui::ListBox&) { RenameBtnClick(); };
    const struct {
        ui::Button& button;
        const char* caption;
        int y;
    } buttons[] = {{AddBtn, "&Add", 61}, {RenameBtn, "&Rename", 96}, {DeleteBtn, "&Delete", 128}, {CopyBtn, "&Copy from", 176}};
    for (const auto& b : buttons) {
        ui::Put(b.button, *this, 320, b.y, 100, 25, b.caption);
    }
    AddBtn.onClick = [this](ui::Button&) { AddBtnClick(); };
    RenameBtn.onClick = [this](ui::Button&) { RenameBtnClick(); };
    DeleteBtn.onClick = [this](ui::Button&) { DeleteBtnClick(); };
    CopyBtn.onClick = [this](ui::Button&) {
        RECT r{};
        GetWindowRect(CopyBtn.hwnd(), &r);
        CatalogPopup.Popup(hwnd(), r.left, r.bottom);
    };
    for (std::size_t n = 0; n < 3; ++n) {
        const int y = 254 + static_cast<int>(n) * 30;
        ui::Put(FlagLabels[n], *this, 10, y + 3, 50, 16, "Flag &" + std::to_string(n + 1) + ":");
        FlagEdits[n].setMaxLength(32);
        ui::Put(FlagEdits[n], *this, 64, y, 246, 22);
        FlagEdits[n].onExit = [this, n](ui::Control&) { FlagEditExit(n); };
        ui::Put(RemoveFlags[n], *this, 320, y + 2, 100, 20, "Remove All");
        RemoveFlags[n].onClick = [this, n](ui::CheckBox&) { RemoveFlagsClick(n); };
    }
    CreateDialogButtons(*this, {OKBtn, "&OK", ui::mrOk}, {CancelBtn, "Cancel", ui::mrCancel}, 260, 348, 76);
    onCloseQuery = [this](ui::Form&, bool& canClose) {
        canClose = closing(modalResult() == ui::mrOk);
        if (!canClose) setModalResult(ui::mrNone);
    };
}

TCategoriesForm::~TCategoriesForm() { destroyWindow(); }

bool TCategoriesForm::Run(const std::vector<Node*>& catalogs, Node* startNode) {
    Dirty = false;
    EventsEnabled = true;
    Edits.clear();
    CategoryEdit.setText("");
    while (CatalogPopup.Items().Count() > 0) CatalogPopup.Items().Delete(0);
    CatalogCombo.clear();
    Node* start = startNode;
    while (start && start->parent()) start = start->parent();
    int first = 0;
    for (Node* catalog : catalogs) {
        if (!RecordAs<TCatalogRec>(catalog->record())) continue;
        const std::size_t position = Edits.size();
        Edits.push_back(StartCategoryEdit(*catalog));
        CatalogCombo.addItem(catalog->text(), static_cast<ui::TextListControl::ItemObject>(position));
        ui::MenuItem& item =
            CatalogPopup.Items().Add(catalog->text(), [this](ui::MenuItem& sender) { CopyCategoriesFrom(sender.Tag); });
        item.Tag = static_cast<int>(position);
        if (catalog == start) first = static_cast<int>(position);
    }
    if (Edits.empty())
        return false;
    CopyBtn.setEnabled(Edits.size() > 1);
    CatalogCombo.setItemIndex(first);
    Current = static_cast<std::size_t>(first);
    CatalogComboChange();
    const bool ok = showModal() == ui::mrOk;
    Edits.clear();
    return ok;
}

void TCategoriesForm::fillList(int select) {
    CategoryList.clear();
    for (const CategoryEntry& entry : List.entries) CategoryList.addItem(entry.name, entry.code);
    if (select >= CategoryList.count()) select = CategoryList.count() - 1;
    CategoryList.setItemIndex(select);
}

void TCategoriesForm::CatalogComboChange() {
    const int index = CatalogCombo.itemIndex();
    if (index < 0) return;
    if (Dirty) CommitCategoryChanges();
    Current = static_cast<std::size_t>(CatalogCombo.object(index));
    const CategoryEditRec& rec = Edits[Current];
    const TCatalogRec& catalog = rec.Catalog();
    List = CategoryNames::Of(catalog);
    fillList(-1);
    EventsEnabled = false;
    for (std::size_t n = 0; n < 3; ++n) {
        FlagEdits[n].setText(catalog.flagNames[n]);
        const bool named = !catalog.flagNames[n].empty();
        RemoveFlags[n].setEnabled(named);
        RemoveFlags[n].setChecked(named && rec.RemoveFlag[n]);
    }
    // Copy-from offers every catalog but this one.
    for (int i = 0; i < CatalogPopup.Items().Count(); ++i)
        CatalogPopup.Items().Items(i).SetVisible(static_cast<std::size_t>(CatalogPopup.Items().Items(i).Tag) != Current);
    EventsEnabled = true;
    UpdateCategoryButtons();
}

void TCategoriesForm::UpdateCategoryButtons() {
    if (List.full()) {
        CategoryEdit.setEnabled(false);
        CategoryEdit.setText("(max. number of categories reached)");
    } else if (!CategoryEdit.enabled()) {
        CategoryEdit.setEnabled(true);
        CategoryEdit.setText("");
    }
    AddBtn.setEnabled(CategoryEdit.enabled() && !CategoryEdit.text().empty());
    const bool selected = CategoryList.itemIndex() >= 0;
    RenameBtn.setEnabled(selected);
    DeleteBtn.setEnabled(selected);
}

void TCategoriesForm::AddBtnClick() {
    const std::string name = CategoryEdit.text();
    if (!CategoryEdit.enabled() || !List.add(name)) {
        if (List.indexOf(name) >= 0 && services_.prompt)
            services_.prompt->showInformation("Category \"" + name + "\" is already defined.", "Information");
        return;
    }
    fillList(List.indexOf(name));
    CategoryEdit.setText("");
    CategoryEdit.setFocus();
    Dirty = true;
    UpdateCategoryButtons();
}

void TCategoriesForm::RenameBtnClick() {
    const int index = CategoryList.itemIndex();
    if (index < 0) return;
    const std::optional<std::string> name = rename_.Ask(List.entries[static_cast<std::size_t>(index)].name);
    if (!name || !List.rename(static_cast<std::size_t>(index), *name)) return;
    fillList(List.indexOf(*name));
    Dirty = true;
    UpdateCategoryButtons();
}

void TCategoriesForm::DeleteBtnClick() {
    const int index = CategoryList.itemIndex();
    if (index < 0) return;
    const CategoryEntry& entry = List.entries[static_cast<std::size_t>(index)];
    if (!(entry.code & kAddedCategory) &&
        !AskWarning(services_.prompt, "Deleting this category may affect data already in the\r"
                                      "catalog. All references to this category will be removed.\r\r"
                                      "Are you sure you want to delete this category?"))
        return;
    List.remove(static_cast<std::size_t>(index), Edits[Current].DeletedCategories);
    fillList(index);
    Dirty = true;
    UpdateCategoryButtons();
}

void TCategoriesForm::CopyCategoriesFrom(std::size_t catalog) {
    if (catalog >= Edits.size() || catalog == Current) return;
    const CategoryNames::CopyResult result = List.copyFrom(Edits[catalog].Catalog());
    if (result.sourceEmpty) {
        if (services_.prompt)
            services_.prompt->showInformation("There are no categories defined in the selected catalog.", "Information");
        return;
    }
    if (!result.allFitted && services_.prompt)
        services_.prompt->showInformation("There was not enough room for all categories.", "Information");
    fillList(CategoryList.itemIndex());
    Dirty = true;
    UpdateCategoryButtons();
}

void TCategoriesForm::CommitCategoryChanges() {
    if (!Dirty || Current >= Edits.size()) return;
    std::array<std::string, 3> names;
    std::array<bool, 3> remove{};
    for (std::size_t n = 0; n < 3; ++n) {
        names[n] = FlagEdits[n].text();
        remove[n] = RemoveFlags[n].checked();
    }
    kv::CommitCategoryChanges(Edits[Current], List, names, remove);
    // The list now holds what the catalog holds.
    List = CategoryNames::Of(Edits[Current].Catalog());
    Dirty = false;
}

void TCategoriesForm::FlagEditExit(std::size_t n) {
    if (!EventsEnabled) return;
    const std::string& saved = Edits[Current].SavedFlagNames[n];
    const std::string text = FlagEdits[n].text();
    if (text != saved) Dirty = true;
    if (!text.empty() || saved.empty() || RemoveFlags[n].checked()) return;
    EventsEnabled = false;
    if (AskWarning(services_.prompt, "You have deleted flag that may have references in the catalog.\r"
                                     "All references to this flag will be removed from catalog.\r\r"
                                     "Are you really sure you want to delete flag?")) {
        RemoveFlags[n].setEnabled(true);
        RemoveFlags[n].setChecked(true);
        Dirty = true;
    } else {
        FlagEdits[n].setText(saved);
    }
    EventsEnabled = true;
}

void TCategoriesForm::RemoveFlagsClick(std::size_t n) {
    if (!EventsEnabled) return;
    EventsEnabled = false;
    const bool hadName = !Edits[Current].SavedFlagNames[n].empty();
    if (RemoveFlags[n].checked()) {
        const bool keep =
            hadName && AskWarning(services_.prompt, "Checking this box will remove all references to \"" +
                                                        FlagEdits[n].text() + "\" flag from the catalog.\r\r"
                                                        "Are you really sure you want to do this?");
        if (!keep) RemoveFlags[n].setChecked(false);
        else Dirty = true;
    } else if (FlagEdits[n].text().empty() && hadName) {
        RemoveFlags[n].setChecked(true);
        Dirty = true;
    } else {
        Dirty = true;
    }
    EventsEnabled = true;
}

bool TCategoriesForm::closing(bool ok) {
    if (ok) {
        CommitCategoryChanges();
    } else {
        bool changed = Dirty;
        for (const CategoryEditRec& rec : Edits) changed = changed || CategoryEditChanged(rec);
        if (changed && services_.prompt &&
            services_.prompt->ask({"Do you really want to discard all changes?", "Discard Changes?",
                                   ui::PromptButtons::YesNo, ui::PromptIcon::Question}) != ui::PromptAnswer::Yes)
            return false;
        Dirty = false;
    }
    for (const CategoryEditRec& rec : Edits) {
        if (!ok) {
            RestoreCategoryEdit(rec);
            continue;
        }
        const bool removes = rec.DeletedCategories != 0 || rec.RemoveFlag[0] || rec.RemoveFlag[1] || rec.RemoveFlag[2];
        if (!removes) continue;
        if (services_.showProgress) services_.showProgress(true);
        try {
            ApplyCategoryChanges(*rec.CatalogNode, rec, services_.prompt);
        } catch (...) {
            if (services_.showProgress) services_.showProgress(false);
            throw;
        }
        if (services_.showProgress) services_.showProgress(false);
    }
    if (services_.rebuildCategoryLists) services_.rebuildCategoryLists();
    return true;
}

}  // namespace kv
