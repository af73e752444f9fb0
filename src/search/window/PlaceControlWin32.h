#pragma once
// Making a control of the search window at its designed place.
#include <string>
#include <vector>

#include "ui/ItemLists.h"

namespace kv {

inline void place(ui::Control& c, ui::Control& parent, const std::string& text, int x, int y, int w, int h) {
    if (!text.empty())
        c.setText(text);
    c.setBounds(x, y, w, h);
    c.create(&parent);
}

// A drop-down list with its first entry chosen.
inline void placeCombo(ui::ComboBox& c, ui::Control& parent, const std::vector<std::string>& items, int x, int y,
                       int w) {
    c.setItems(items);
    c.setItemIndex(0);
    place(c, parent, "", x, y, w, 200);
}

}  // namespace kv
