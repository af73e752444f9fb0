#pragma once
// An item's icon from one of the shared image lists, drawn in a small control.
#include <windows.h>

#include <commctrl.h>

#include "ui/Control.h"

namespace kv {

class ItemIconView : public ui::Control {
public:
    void setIcon(HIMAGELIST images, int index);

protected:
    void createParams(ui::CreateArgs& args) override;
    LRESULT wndProc(UINT msg, WPARAM wp, LPARAM lp) override;

private:
    HIMAGELIST images_ = nullptr;
    int index_ = -1;
};

}  // namespace kv
