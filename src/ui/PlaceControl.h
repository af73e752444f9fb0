#pragma once
// Making a control of a window laid out in code: its text, its place, its window.
#include <string>

#include "ui/Control.h"

namespace kv::ui {

inline void PlaceControl(Control& control, Control* parent, int x, int y, int width, int height,
                         const std::string& text = {}) {
    if (!text.empty())
        control.setText(text);
    control.setBounds(x, y, width, height);
    control.create(parent);
}

}  // namespace kv::ui
