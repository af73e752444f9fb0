#pragma once
// The small pop-up tool window a floating toolbar sits in: a sizing frame and
// a small caption drawn by us, a close button, and frame drags that snap to
// the toolbar's candidate sizes.
#include <string>

#include "controls/docks/FloatingFrame.h"
#include "ui/Canvas.h"
#include "ui/Control.h"

namespace kv::ui {

class TDockToolbar;

// The frame around a floating toolbar's client area.
FloatFrameMetrics floatingFrameMetrics();
DockRect growByFloatingFrame(const DockRect& client);
DockRect shrinkByFloatingFrame(const DockRect& window);
// The small active caption of window in box; where the system cannot draw it,
// the active-caption colour with the caption cut to fit.
void paintFloatingCaption(Canvas& canvas, HWND window, const RECT& box, const std::string& caption);

class FloatingToolbarWindow : public Control {
public:
    explicit FloatingToolbarWindow(TDockToolbar& toolbar);
    void createHandle();
    // Where the system may show it: hidden while the program or form is not.
    void showShown(bool shown);

protected:
    void createWnd() override;
    void childVisibilityChanged(Control& child) override;
    LRESULT wndProc(UINT msg, WPARAM wp, LPARAM lp) override;

private:
    void paintFrame();
    void trackClose();
    void trackResize(int hit, POINT start);
    TDockToolbar& toolbar_;
    bool closePressed_ = false;
};

}  // namespace kv::ui
