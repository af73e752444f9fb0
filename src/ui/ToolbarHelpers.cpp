#include "ui/ToolbarHelpers.h"

#include <algorithm>

namespace kv::ui {

int ToolbarButtonSide(int sizeSetting) { return std::clamp(sizeSetting, 0, 7) * 2 + 21; }

std::vector<SpeedButton*> ApplyToolbarButtonStyle(Control& toolbar, int sizeSetting, bool oldStyle) {
    const int side = ToolbarButtonSide(sizeSetting);
    std::vector<SpeedButton*> ordered;
    for (int number = 1;; ++number) {
        SpeedButton* found = nullptr;
        for (Control* c : toolbar.children())
            if (auto* b = dynamic_cast<SpeedButton*>(c); b && b->Tag > 0 && b->Tag % 100 == number) {
                found = b;
                break;
            }
        if (!found) return ordered;
        RECT r = found->bounds();
        found->setBounds(r.left, r.top, side, side);
        found->setFlat(!oldStyle);
        ordered.push_back(found);
    }
}

SpeedButton* FindToolButtonAt(Control& toolbar, POINT point) {
    for (Control* c : toolbar.children())
        if (auto* b = dynamic_cast<SpeedButton*>(c); b && b->visible()) {
            RECT r = b->bounds();
            if (PtInRect(&r, point)) return b;
        }
    return nullptr;
}

void CenterBitBtnGlyph(BitBtn& button) {
    // The button lays glyph, gap and caption out as one run; its width is all we need.
    const BitBtn::Placement p = button.placement();
    const int content = p.text.right - p.glyph.left;
    const RECT client = button.clientRect();
    button.setMargin(std::max(0, static_cast<int>(client.right - client.left - content) / 2));
}

}  // namespace kv::ui
