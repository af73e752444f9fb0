#pragma once
// Static text; takes no focus. Its colours, an underline, a see-through
// background and a size that follows the text are its own.
#include <optional>

#include "ui/Canvas.h"
#include "ui/Control.h"

namespace kv::ui {

class Label : public Control {
public:
    enum class Alignment { Left, Center, Right };
    void setAlignment(Alignment a);
    // Alt with the label's "&" letter moves the focus here.
    void setFocusControl(Control* c) { focusControl_ = c; }
    bool mnemonic(char key) override;

    // Unset: the system's text colour. The background is the control's colour.
    void setTextColor(std::optional<COLORREF> colour);
    std::optional<COLORREF> textColor() const { return textColor_; }
    void setTransparent(bool transparent);
    void setUnderline(bool underline);
    // The label takes the size of its text in its font.
    void setAutoSize(bool autoSize);
    void adjustSize();

protected:
    void createParams(CreateArgs& args) override;
    void createWnd() override;
    LRESULT reflected(UINT msg, WPARAM wp, LPARAM lp, bool& handled) override;
    LRESULT wndProc(UINT msg, WPARAM wp, LPARAM lp) override;

private:
    void repaint();
    void applyUnderline();

    Alignment alignment_ = Alignment::Left;
    Control* focusControl_ = nullptr;
    std::optional<COLORREF> textColor_;
    bool transparent_ = false;
    bool underline_ = false;
    bool autoSize_ = false;
    GdiObject<HFONT> underlineFont_;
};

}  // namespace kv::ui
