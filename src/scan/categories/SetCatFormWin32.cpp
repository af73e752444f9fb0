#include "scan/categories/SetCatFormWin32.h"

#include "scan/DialogButtonsWin32.h"
#include "ui/PlaceControl.h"

namespace kv {

namespace {

std::string marked(const SetCatEntry& entry) { return entry.everywhere ? entry.name : "* " + entry.name; }

}  // namespace

TSetCatForm::TSetCatForm(ui::UserPrompt& prompt) : prompt_(prompt) {
    SetUpDialogForm(*this, "Set Categories and Flags", "KvSetCatForm", 390, 394);
    ui::Put(HeadLabel, *this, 10, 10, 370, 16);
    ui::Put(CategoryLabel, *this, 10, 36, 200, 16, "Categories:");
    ui::Put(CategoryList, *this, 10, 54, 260, 170);
    ui::Put(FlagsLabel, *this, 10, 234, 200, 16, "Flags:");
    ui::Put(FlagsList, *this, 10, 252, 260, 66);
    WarningLabel.setTextColor(RGB(192, 0, 0));
    ui::Put(WarningLabel, *this, 10, 326, 260, 32, "* Category or flag is not\r\n   available for all items");
    const struct {
        ui::Button& button;
        const char* caption;
        int y;
    } buttons[] = {{OkBtn, "&OK", 54}, {CancelBtn, "C&ancel", 86}, {SetupCatBtn, "Setup Categories", 200}};
    for (const auto& b : buttons) {
        ui::Put(b.button, *this, 280, b.y, 100, 25, b.caption);
    }
    CancelBtn.modalResult = ui::mrCancel;
    setCancelControl(&CancelBtn);
    setDefaultControl(&OkBtn);
    OkBtn.setDefault(true);
    OkBtn.onClick = [this](ui::Button&) {
        if (Apply()) setModalResult(ui::mrOk);
    };
    SetupCatBtn.onClick = [this](ui::Button&) { SetupCatBtnClick(); };
    CategoryList.onClickCheck = [this](ui::CheckListBox& list, int index) {
        // One category at most.
        if (list.checked(index))
            for (int i = 0; i < list.count(); ++i)
                if (i != index) list.setChecked(i, false);
        OkBtn.setEnabled(true);
    };
    FlagsList.onClickCheck = [this](ui::CheckListBox&, int) { OkBtn.setEnabled(true); };
}

TSetCatForm::~TSetCatForm() { destroyWindow(); }

bool TSetCatForm::Run(std::span<ItemHead* const> items) {
    items_.assign(items.begin(), items.end());
    OpenSetup = false;
    NoConfirm = false;
    State = GatherItemStates(items_);
    const bool single = State.itemCount == 1;
    const bool anyCategory = State.categories.size() > 1;
    categoriesShown_ = anyCategory;
    flagsShown_ = !State.flags.empty();
    CategoryList.clear();
    FlagsList.clear();
    firstCategory_ = anyCategory && single ? 1 : 0;
    if (anyCategory) {
        for (std::size_t i = static_cast<std::size_t>(firstCategory_); i < State.categories.size(); ++i)
            CategoryList.add(marked(State.categories[i]), static_cast<std::intptr_t>(i));
        if (State.commonCategory >= firstCategory_)
            CategoryList.setChecked(State.commonCategory - firstCategory_, true);
    } else {
        CategoryList.add("(No categories are defined)");
    }
    if (flagsShown_) {
        // Several items may differ: the third state is theirs.
        FlagsList.setAllowGrayed(!single && std::any_of(State.flagChecks.begin(), State.flagChecks.end(),
                                                        [](FlagCheck c) { return c == FlagCheck::Grayed; }));
        for (std::size_t i = 0; i < State.flags.size(); ++i) {
            FlagsList.add(marked(State.flags[i]));
            FlagsList.setState(static_cast<int>(i), static_cast<ui::CheckState>(
                State.flagChecks[i] == FlagCheck::Checked ? ui::CheckState::Checked
                : State.flagChecks[i] == FlagCheck::Grayed ? ui::CheckState::Grayed : ui::CheckState::Unchecked));
        }
    } else {
        FlagsList.add("(No flags are defined)");
    }
    WarningLabel.setVisible(State.anyMarked());
    HeadLabel.setText("Changing categories and flags for " + std::to_string(State.itemCount) + " selected item" +
                      (State.itemCount >= 2 ? "s" : ""));
    CategoryLabel.setEnabled(anyCategory);
    CategoryList.setEnabled(anyCategory);
    FlagsLabel.setEnabled(flagsShown_);
    FlagsList.setEnabled(flagsShown_);
    if (!anyCategory && !flagsShown_) {
        OpenSetup = prompt_.ask({"There are no categories or flags defined in any\r"
                                 "catalog where selected items are from.\r\r"
                                 "Would you like to define categories and flags now?",
                                 "No Data Defined", ui::PromptButtons::YesNo, ui::PromptIcon::Information}) ==
                    ui::PromptAnswer::Yes;
        return false;
    }
    OkBtn.setEnabled(false);
    return showModal() == ui::mrOk;
}

bool TSetCatForm::Apply() {
    if (State.itemCount > 1 && !NoConfirm &&
        prompt_.ask({"Are you sure you want to change settings about\rcategory and flags for all selected items?",
                     "Apply Changes", ui::PromptButtons::YesNo, ui::PromptIcon::Information}) != ui::PromptAnswer::Yes)
        return false;
    int chosen = -1;
    if (categoriesShown_)
        for (int i = 0; i < CategoryList.count(); ++i)
            if (CategoryList.checked(i)) chosen = i + firstCategory_;
    std::vector<FlagCheck> checks;
    if (flagsShown_)
        for (int i = 0; i < FlagsList.count(); ++i) {
            const ui::CheckState s = FlagsList.state(i);
            checks.push_back(s == ui::CheckState::Checked  ? FlagCheck::Checked
                             : s == ui::CheckState::Grayed ? FlagCheck::Grayed
                                                           : FlagCheck::Unchecked);
        }
    ApplyToItems(items_, State, chosen, checks);
    return true;
}

void TSetCatForm::SetupCatBtnClick() {
    if (OkBtn.enabled()) {
        const ui::PromptAnswer answer =
            prompt_.ask({"Would you like to save changes made here before opening Categories Setup dialog?",
                         "Save changes", ui::PromptButtons::YesNoCancel, ui::PromptIcon::Question});
        if (answer == ui::PromptAnswer::Cancel) return;
        if (answer == ui::PromptAnswer::Yes) {
            NoConfirm = true;
            Apply();
            NoConfirm = false;
        }
    }
    OpenSetup = true;
    setModalResult(ui::mrCancel);
}

}  // namespace kv
