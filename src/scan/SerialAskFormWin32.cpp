#include "scan/SerialAskFormWin32.h"

#include "scan/DialogButtonsWin32.h"
#include "ui/PlaceControl.h"

namespace kv {

void QuestionIcon::createParams(ui::CreateArgs& args) {
    Control::createParams(args);
    args.className = "STATIC";
    args.style |= SS_ICON;
}

void QuestionIcon::createWnd() {
    Control::createWnd();
    SendMessageA(hwnd(), STM_SETICON, reinterpret_cast<WPARAM>(LoadIconA(nullptr, IDI_QUESTION)), 0);
}

TSerialAskForm::TSerialAskForm() {
    setBorderStyle(ui::BorderStyle::Dialog);
    setPosition(ui::FormPosition::MainFormCenter);
    setCaption("Change Serial Number?");
    setWindowClassName("KvSerialAskForm");
    setBounds(0, 0, 430, 200);
    createHandle();
    setClientSize(420, 170);
    ui::Put(Image, *this, 12, 40, 32, 32);
    ui::Put(TextLabel, *this, 56, 10, 352, 96,
            "Program has found another disk already in the catalog with the same serial number as the current disk. "
            "If this disk is not the same, program can change serial number and current disk will be recognized in "
            "the future.\r\rMay program try to change disk serial number?");
    ui::Put(DontAskCheck, *this, 56, 108, 352, 20, "Don't ask this question again, always change serial number");
    CreateDialogButtons(*this, {YesButton, "Yes, change it", ui::mrYes}, {NoButton, "No, leave it as is", ui::mrNo},
                        110, 136, 110);
    onShow = [this](ui::Form&) {
        DontAskCheck.setChecked(false);
        YesButton.setFocus();
    };
}

TSerialAskForm::~TSerialAskForm() { destroyWindow(); }

SerialAnswer AskSerialChange(TSerialAskForm& form) {
    SerialAnswer answer;
    answer.change = form.showModal() == ui::mrYes;
    answer.dontAskAgain = form.DontAskCheck.checked();
    return answer;
}

}  // namespace kv
