#pragma once
// Static text; takes no focus.
#include "ui/Control.h"

namespace kv::ui {

class Label : public Control {
public:
    enum class Alignment { Left, Center, Right };
    void setAlignment(Alignment a);
    // Alt with the label's "&" letter moves the focus here.
    void setFocusControl(Control* c) { focusControl_ = c; }
    bool mnemonic(char key) override;

protected:
    void createParams(CreateArgs& args) override;

private:
    Alignment alignment_ = Alignment::Left;
    Control* focusControl_ = nullptr;
};

}  // namespace kv::ui
