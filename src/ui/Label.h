#pragma once
// Static text; takes no focus.
#include "ui/Control.h"

namespace kv::ui {

class Label : public Control {
public:
    enum class Alignment { Left, Center, Right };
    void setAlignment(Alignment a);

protected:
    void createParams(CreateArgs& args) override;

private:
    Alignment alignment_ = Alignment::Left;
};

}  // namespace kv::ui
