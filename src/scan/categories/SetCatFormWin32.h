#pragma once
// "Set Categories and Flags": one category and the three flags for the
// selected folders and files, also across catalogs whose definitions differ.
#include <span>
#include <vector>

#include "catalog/model/Node.h"
#include "scan/categories/SetCategories.h"
#include "ui/Button.h"
#include "ui/CheckListBox.h"
#include "ui/Form.h"
#include "ui/Label.h"
#include "ui/UserPrompt.h"

namespace kv {

class TSetCatForm : public ui::Form {
public:
    explicit TSetCatForm(ui::UserPrompt& prompt);
    ~TSetCatForm() override;

    // Shows the window for the items; true when they were changed. OpenSetup
    // tells the caller to open Categories Setup afterwards.
    bool Run(std::span<ItemHead* const> items);

    ui::Label HeadLabel, CategoryLabel, FlagsLabel, WarningLabel;
    ui::CheckListBox CategoryList, FlagsList;
    ui::Button OkBtn, CancelBtn, SetupCatBtn;

    SetCatState State;
    bool NoConfirm = false;
    bool OpenSetup = false;

    // OK: asks for several items, then writes the choice; false keeps the window open.
    bool Apply();
    void SetupCatBtnClick();

private:
    // The first category entry shown (1 when the clear entry is left out).
    int firstCategory_ = 0;
    bool categoriesShown_ = false;
    bool flagsShown_ = false;
    std::vector<ItemHead*> items_;
    ui::UserPrompt& prompt_;
};

}  // namespace kv
