#include "shell/commands/EditFormWin32.h"

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
    Button1.setText("OK");
    Button1.modalResult = ui::mrOk;
    Button1.create(this);
    Button1.setBounds(164, 62, 75, 25);
    Button1.setDefault(true);
    Button2.setText("Cancel");
    Button2.modalResult = ui::mrCancel;
    Button2.create(this);
    Button2.setBounds(245, 62, 75, 25);
    setDefaultControl(&Button1);
    setCancelControl(&Button2);
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
