#include "ui/Label.h"

namespace kv::ui {

void Label::setAlignment(Alignment a) {
    alignment_ = a;
    recreateWnd();
}

bool Label::mnemonic(char key) {
    if (!focusControl_ || !focusControl_->hwnd() || !IsWindowEnabled(focusControl_->hwnd()) ||
        !hasMnemonic(text(), key))
        return false;
    focusControl_->setFocus();
    return true;
}

void Label::createParams(CreateArgs& args) {
    Control::createParams(args);
    args.className = "STATIC";
    args.style |= alignment_ == Alignment::Center ? SS_CENTER : alignment_ == Alignment::Right ? SS_RIGHT : SS_LEFT;
}

}  // namespace kv::ui
