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
    // The window's look, also for WM_PRINTCLIENT.
    virtual void paint(HDC dc);

private:
    bool bevel_ = true;
};

}  // namespace kv::ui
