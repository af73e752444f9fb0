#pragma once
// An etched or raised box, frame or line that groups or separates controls;
// it takes no input, so clicks fall through to what lies under it.
#include "ui/Panel.h"

namespace kv::ui {

enum class BevelShape { Box, Frame, TopLine, BottomLine, LeftLine, RightLine, Spacer };
enum class BevelStyle { Lowered, Raised };

class Bevel : public Panel {
public:
    Bevel();
    void setShape(BevelShape shape);
    BevelShape shape() const { return shape_; }
    void setStyle(BevelStyle style);
    BevelStyle style() const { return style_; }

protected:
    void createParams(CreateArgs& args) override;
    LRESULT wndProc(UINT msg, WPARAM wp, LPARAM lp) override;
    void paint(HDC dc) override;

private:
    BevelShape shape_ = BevelShape::Box;
    BevelStyle style_ = BevelStyle::Lowered;
};

}  // namespace kv::ui
