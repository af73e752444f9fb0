#pragma once
// A drop-down list of the 16 basic colours, each drawn as a swatch with its name.
#include "ui/ItemLists.h"

namespace kv::ui {

class TColorCombo : public ComboBox {
public:
    TColorCombo();
    // 0 when nothing is selected.
    COLORREF GetSelectedColor() const;
    // Compared as RGB; a system colour (0x80000000 | index) stands for its
    // current RGB value. A colour not in the list selects nothing.
    void SetSelectedColor(COLORREF colour);
    void drawItem(const DRAWITEMSTRUCT& item);

protected:
    void createParams(CreateArgs& args) override;
    void createWnd() override;
    LRESULT reflected(UINT msg, WPARAM wp, LPARAM lp, bool& handled) override;
};

}  // namespace kv::ui
