#include "shell/setup/ColumnsFormWin32.h"

#include <utility>

#include "ui/PlaceControl.h"

namespace kv {

TColumnsForm::TColumnsForm(ColumnsServices services) : services_(std::move(services)) {
    setBorderStyle(ui::BorderStyle::Dialog);
    setPosition(ui::FormPosition::MainFormCenter);
    setCaption("Columns Setup");
    setWindowClassName("KvColumnsForm");
    setBounds(0, 0, 400, 360);
    createHandle();
    setClientSize(390, 330);
    ui::Put(ListLabel, *this, 10, 12, 40, 16, "List:");
    ListCombo.setItems({kColumnsListNames.begin(), kColumnsListNames.end()});
    ListCombo.setItemIndex(ColumnsList::MainFiles);
    ui::Put(ListCombo, *this, 50, 8, 330, 200);
    ListCombo.onChange = [this](ui::ComboBox&) {
        applyPending();
        fillFor(ListCombo.itemIndex());
    };
    ui::Put(ColumnsBox, *this, 10, 40, 270, 240);
    ColumnsBox.onClickCheck = [this](ui::CheckListBox& box, int index) {
        model_.setVisible(index, box.checked(index));
        refreshButtons();
    };
    ColumnsBox.onClick = [this](ui::CheckListBox&) { refreshButtons(); };
    ui::Put(UpBtn, *this, 290, 40, 90, 24, "&Up");
    ui::Put(DownBtn, *this, 290, 70, 90, 24, "&Down");
    UpBtn.Tag = -1;
    DownBtn.Tag = 1;
    UpBtn.onClick = [this](ui::Button&) { move(-1); };
    DownBtn.onClick = [this](ui::Button&) { move(1); };
    ui::Put(RevertBtn, *this, 290, 256, 90, 24, "Revert");
    RevertBtn.onClick = [this](ui::Button&) { fillFor(model_.list()); };
    ui::Put(OKBtn, *this, 110, 292, 84, 26, "&OK");
    ui::Put(CancelBtn, *this, 200, 292, 84, 26, "C&ancel");
    ui::Put(ApplyBtn, *this, 290, 292, 90, 26, "Apply");
    OKBtn.setDefault(true);
    OKBtn.modalResult = ui::mrOk;
    CancelBtn.modalResult = ui::mrCancel;
    OKBtn.onClick = [this](ui::Button&) { applyPending(); };
    ApplyBtn.onClick = [this](ui::Button&) {
        applyPending();
        refreshButtons();
    };
    setDefaultControl(&OKBtn);
    setCancelControl(&CancelBtn);
}

TColumnsForm::~TColumnsForm() { destroyWindow(); }

void TColumnsForm::Prepare(int list) {
    if (list >= 0 && list < static_cast<int>(kColumnsListNames.size()))
        ListCombo.setItemIndex(list);
    fillFor(ListCombo.itemIndex());
}

int TColumnsForm::Execute(int list) {
    Prepare(list);
    return showModal();
}

void TColumnsForm::fillFor(int list) {
    if (list < 0)
        list = ColumnsList::MainFiles;
    const std::vector<std::string> captions = ColumnsListCaptions(list);
    const ColumnsRecord record = services_.current ? services_.current(list) : DefaultColumnsRecord(list);
    model_.fill(list, record, captions);
    ColumnsBox.clear();
    for (const ColumnsSetupModel::Row& row : model_.rows()) {
        const int i = ColumnsBox.add(row.caption);
        ColumnsBox.setChecked(i, row.visible);
    }
    if (!captions.empty())
        ColumnsBox.setItemIndex(0);
    refreshButtons();
}

void TColumnsForm::applyPending() {
    if (!model_.changed())
        return;
    if (services_.apply)
        services_.apply(model_.list(), model_.record());
    model_.clearChanged();
}

void TColumnsForm::move(int delta) {
    const int selected = ColumnsBox.itemIndex();
    const int to = model_.move(selected, delta);
    if (to < 0)
        return;
    ColumnsBox.exchange(selected, to);
    ColumnsBox.setItemIndex(to);
    refreshButtons();
}

void TColumnsForm::refreshButtons() {
    const int selected = ColumnsBox.itemIndex();
    const int rows = static_cast<int>(model_.rows().size());
    UpBtn.setEnabled(selected > 0);
    DownBtn.setEnabled(selected >= 0 && selected + 1 < rows);
    ApplyBtn.setEnabled(model_.changed());
    RevertBtn.setEnabled(model_.changed());
}

}  // namespace kv
