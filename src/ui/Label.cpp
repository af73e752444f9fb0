#include "ui/Label.h"

namespace kv::ui {

void Label::setAlignment(Alignment a) {
    alignment_ = a;
    recreateWnd();
}

void Label::createParams(CreateArgs& args) {
    Control::createParams(args);
    args.className = "STATIC";
    args.style |= alignment_ == Alignment::Center ? SS_CENTER : alignment_ == Alignment::Right ? SS_RIGHT : SS_LEFT;
}

}  // namespace kv::ui
