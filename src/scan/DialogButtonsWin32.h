#pragma once
// The pair of buttons that closes a small modal dialog of the scan.
#include "ui/Button.h"
#include "ui/Form.h"

namespace kv {

struct DialogButton {
    ui::Button& button;
    const char* text;
    int modalResult;
};

// Side by side from (x, y), each `width` wide and 10 apart: the first answers
// Enter, the second Esc.
void CreateDialogButtons(ui::Form& form, const DialogButton& accept, const DialogButton& cancel, int x, int y,
                         int width);

}  // namespace kv
