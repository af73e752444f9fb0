#pragma once
// "Columns Setup": the order and visibility of the columns of the program's
// five item lists, edited over their kept records and applied to the lists.
#include <functional>

#include "shell/setup/ColumnsSetupModel.h"
#include "ui/Button.h"
#include "ui/CheckListBox.h"
#include "ui/Form.h"
#include "ui/ItemLists.h"
#include "ui/Label.h"

namespace kv {

struct ColumnsServices {
    // The list's layout as it is: read from its live view when that shows,
    // else the kept record.
    std::function<ColumnsRecord(int list)> current;
    // Keeps the record and applies it to the live view when that shows.
    std::function<void(int list, const ColumnsRecord& record)> apply;
};

class TColumnsForm : public ui::Form {
public:
    explicit TColumnsForm(ColumnsServices services);
    ~TColumnsForm() override;

    // Shows the dialog on a list (-1: the one chosen last).
    int Execute(int list = -1);
    void Prepare(int list = -1);
    ColumnsSetupModel& model() { return model_; }

    ui::Label ListLabel;
    ui::ComboBox ListCombo;
    ui::CheckListBox ColumnsBox;
    ui::Button UpBtn, DownBtn, OKBtn, ApplyBtn, CancelBtn, RevertBtn;

private:
    void fillFor(int list);
    void applyPending();
    void move(int delta);
    void refreshButtons();

    ColumnsServices services_;
    ColumnsSetupModel model_;
};

}  // namespace kv
