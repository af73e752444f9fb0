#pragma once
// "Change Serial Number?": a medium added as new looks like a catalogued disk
// by its serial; may the program give it a new one?
#include "ui/Button.h"
#include "ui/Form.h"
#include "ui/Label.h"

namespace kv {

// The system's question icon in a static control.
class QuestionIcon : public ui::Control {
protected:
    void createParams(ui::CreateArgs& args) override;
    void createWnd() override;
};

class TSerialAskForm : public ui::Form {
public:
    TSerialAskForm();
    ~TSerialAskForm() override;

    ui::Label TextLabel;
    QuestionIcon Image;
    ui::Button YesButton;
    ui::Button NoButton;
    ui::CheckBox DontAskCheck;
};

struct SerialAnswer {
    bool change = false;
    // "Don't ask this question again": the setting goes off whatever the answer.
    bool dontAskAgain = false;
};

SerialAnswer AskSerialChange(TSerialAskForm& form);

}  // namespace kv
