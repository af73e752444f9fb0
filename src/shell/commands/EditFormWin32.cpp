#include "shell/commands/EditFormWin32.h"

#include "scan/DialogButtonsWin32.h"

namespace kv {

TEditForm::TEditForm() {
    setBorderStyle(ui::BorderStyle::Dialog);
    setClientSize(330, 96);
    createHandle();
    TextLabel.create(this);
    TextLabel.setBounds(10, 10, 310, 16);
    TextEdit.create(this);
    TextEdit.setBounds(10, 30, 310, 22);
    TextLabel.setFocusControl(&TextEdit);
    CreateDialogButtons(*this, {Button1, "OK", ui::mrOk}, {Button2, "Cancel", ui::mrCancel}, 160, 62, 75);
    Button1.setDefault(true);
    // The edit has the focus whenever the window comes up.
    auto focusEdit = [this] {
        setActiveControl(&TextEdit);
        SendMessageA(TextEdit.hwnd(), EM_SETSEL, 0, -1);
    };
    onShow = [focusEdit](Form&) { focusEdit(); };
    onActivate = [focusEdit](Form&, bool active) {
        if (active)
            focusEdit();
    };
}

std::optional<std::string> EditFormTextInput::askText(const TextInputRequest& request) {
    TEditForm form;
    form.setCaption(request.caption);
    form.TextLabel.setText(request.label);
    form.TextEdit.setText(request.text);
    if (form.showModal() != ui::mrOk)
        return std::nullopt;
    return form.TextEdit.text();
}

}  // namespace kv
