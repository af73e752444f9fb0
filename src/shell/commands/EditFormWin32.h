#pragma once
// The one-line text input window: a prompt, an edit, OK and Cancel. The caller
// sets the caption, the prompt and the text, shows it modally and reads the
// edit on OK.
#include "shell/commands/TextInput.h"
#include "ui/Button.h"
#include "ui/Edit.h"
#include "ui/Form.h"
#include "ui/Label.h"

namespace kv {

class TEditForm : public ui::Form {
public:
    TEditForm();

    ui::Label TextLabel;
    ui::Edit TextEdit;
    ui::Button Button1;  // OK
    ui::Button Button2;  // Cancel
};

// TextInput through a text input window made for each question.
class EditFormTextInput : public TextInput {
public:
    std::optional<std::string> askText(const TextInputRequest& request) override;
};

}  // namespace kv
