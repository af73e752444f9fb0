#pragma once
// Making a control of a window laid out in code in one call: its place, its
// text and help topic, then its window under the parent.
#include <string>
#include <vector>

#include "ui/Control.h"
#include "ui/ItemLists.h"

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

// A drop-down list with its entries and the first one chosen; height is the
// dropped-down list's.
inline void PutCombo(ComboBox& combo, Control& parent, int x, int y, int width, int height,
                     const std::vector<std::string>& items) {
    combo.setItems(items);
    combo.setItemIndex(0);
    Put(combo, parent, x, y, width, height);
}

}  // namespace kv::ui
