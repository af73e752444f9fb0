#pragma once
// A small modal dialog of the scan: its frame, and the pair of buttons that closes it.
#include "ui/Button.h"
#include "ui/Form.h"

namespace kv {

// A dialog border centred over the main window, with its window made and
// the client area of the given size.
void SetUpDialogForm(ui::Form& form, const char* caption, const char* className, int clientWidth, int clientHeight);

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
