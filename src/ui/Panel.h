#pragma once
// A container that paints its background, an optional raised edge and a
// centred caption.
#include "ui/Control.h"

namespace kv::ui {

class Panel : public Control {
public:
    void setBevel(bool raised);

protected:
    void createParams(CreateArgs& args) override;
    LRESULT wndProc(UINT msg, WPARAM wp, LPARAM lp) override;

private:
    void paint(HDC dc);
    bool bevel_ = true;
};

}  // namespace kv::ui
