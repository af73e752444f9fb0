#pragma once
// Placing a control of the setup windows: its bounds, text and help topic.
#include <string>

#include "ui/Control.h"

namespace kv {

template <class C>
C& Put(C& control, ui::Control& parent, int x, int y, int width, int height, const std::string& text = {},
       unsigned long help = 0) {
    control.setBounds(x, y, width, height);
    if (!text.empty())
        control.setText(text);
    if (help)
        control.helpContext = help;
    control.create(&parent);
    return control;
}

}  // namespace kv
