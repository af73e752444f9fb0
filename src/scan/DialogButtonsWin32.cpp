#include "scan/DialogButtonsWin32.h"

#include "ui/PlaceControl.h"

namespace kv {

void SetUpDialogForm(ui::Form& form, const char* caption, const char* className, int clientWidth, int clientHeight) {
    form.setBorderStyle(ui::BorderStyle::Dialog);
    form.setPosition(ui::FormPosition::MainFormCenter);
    form.setCaption(caption);
    form.setWindowClassName(className);
    form.setBounds(0, 0, clientWidth + 10, clientHeight + 36);
    form.createHandle();
    form.setClientSize(clientWidth, clientHeight);
}

void CreateDialogButtons(ui::Form& form, const DialogButton& accept, const DialogButton& cancel, int x, int y,
                         int width) {
    for (const DialogButton* b : {&accept, &cancel}) {
        b->button.modalResult = b->modalResult;
        ui::Put(b->button, form, x, y, width, 25, b->text);
        x += width + 10;
    }
    form.setDefaultControl(&accept.button);
    form.setCancelControl(&cancel.button);
}

}  // namespace kv
