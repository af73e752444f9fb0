#pragma once
// Making a control of a window laid out in code in one call: its place, its
// text and help topic, then its window under the parent.
#include <string>

#include "ui/Control.h"

namespace kv::ui {

inline void Put(Control& control, Control& parent, int x, int y, int width, int height, const std::string& text = {},
                unsigned long help = 0) {
    control.setBounds(x, y, width, height);
    if (!text.empty())
        control.setText(text);
    if (help)
        control.helpContext = help;
    control.create(&parent);
}

}  // namespace kv::ui
