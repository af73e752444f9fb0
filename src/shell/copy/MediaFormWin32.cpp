#include "shell/copy/MediaFormWin32.h"

#include "ui/Fonts.h"
#include "ui/PlaceControl.h"

namespace kv {

namespace {
constexpr int kButtonWidth = 90;
constexpr int kClientWidth = 330;
}  // namespace

int MediaButtonsLeft(int clientWidth, int buttonWidth, int count) {
    const int gap = 8;
    return (clientWidth - count * buttonWidth - gap * (count - 1)) / 2;
}

TMediaForm::TMediaForm() {
    setBorderStyle(ui::BorderStyle::Dialog);
    setPosition(ui::FormPosition::MainFormCenter);
    setCaption("Insert Media");
    setWindowClassName("KvMediaForm");
    createHandle();
    setClientSize(kClientWidth, 168);
    ui::Put(Animation, *this, (kClientWidth - 64) / 2, 8, 64, 48);
    // A clip the program lacks leaves the space empty; the question stays.
    if (!Animation.setResName(GetModuleHandleA(nullptr), "AVIINSERT"))
        Animation.setVisible(false);
    PromptLabel.setAlignment(ui::Label::Alignment::Center);
    ui::Put(PromptLabel, *this, 8, 62, kClientWidth - 16, 16, "Please insert media labeled:");
    NameLabel.setAlignment(ui::Label::Alignment::Center);
    ui::Put(NameLabel, *this, 8, 82, kClientWidth - 16, 18);
    ui::FontDescription bold;
    bold.bold = true;
    boldFont_ = ui::createFont(bold);
    NameLabel.setFont(boldFont_.get());
    TypeLabel.setAlignment(ui::Label::Alignment::Center);
    ui::Put(TypeLabel, *this, 8, 102, kClientWidth - 16, 16);
    OKButton.setText("&OK");
    OKButton.modalResult = ui::mrOk;
    OKButton.create(this);
    CancelButton.setText("&Cancel");
    CancelButton.modalResult = ui::mrCancel;
    CancelButton.create(this);
    ManualButton.setText("&Manual Select");
    ManualButton.modalResult = mrManual;
    ManualButton.create(this);
    OKButton.setDefault(true);
    setDefaultControl(&OKButton);
    setCancelControl(&CancelButton);
    layoutButtons();
    onShow = [this](ui::Form&) {
        layoutButtons();
        Animation.setActive(Animation.opened());
        OKButton.setFocus();
    };
    onHide = [this](ui::Form&) { Animation.setActive(false); };
}

TMediaForm::~TMediaForm() { destroyWindow(); }

void TMediaForm::layoutButtons() {
    ManualButton.setVisible(ShowManualSelect);
    const int count = ShowManualSelect ? 3 : 2;
    int x = MediaButtonsLeft(kClientWidth, kButtonWidth, count);
    for (ui::Button* b : {&OKButton, &CancelButton, &ManualButton}) {
        if (b == &ManualButton && !ShowManualSelect)
            break;
        b->setBounds(x, 132, kButtonWidth, 25);
        x += kButtonWidth + 8;
    }
}

InsertMediaAnswer MediaFormPrompts::askInsertMedia(const std::string& label, const std::string& mediaLine,
                                                   bool allowManual) {
    TMediaForm form;
    form.NameLabel.setText(label);
    form.TypeLabel.setText(mediaLine);
    form.ShowManualSelect = allowManual;
    switch (form.showModal()) {
    case ui::mrOk: return InsertMediaAnswer::Retry;
    case TMediaForm::mrManual: return allowManual ? InsertMediaAnswer::ManualSelect : InsertMediaAnswer::Cancel;
    default: return InsertMediaAnswer::Cancel;
    }
}

}  // namespace kv
