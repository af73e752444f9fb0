#pragma once
// A bar between aligned controls; dragging it resizes the control it is
// aligned against (the one it touches on that side). The drag runs its own
// loop: Esc or a lost capture cancels it, the release applies it. Takes no
// focus.
#include <functional>
#include <optional>

#include "ui/Component.h"
#include "ui/Control.h"

namespace kv::ui {

class Splitter : public Control {
public:
    Splitter();
    int MinSize = 30;
    // After a drag that was applied.
    std::function<void(Splitter& sender)> OnMoved;
    // The control it is aligned against, or null.
    Control* neighbour() const;
    // The control one pixel beyond its far edge, or null.
    Control* beyond() const;
    // The drag a press at start (client coordinates) begins.
    void runDrag(POINT start);

    // The sizes the neighbour may take.
    struct SizeRange {
        int min;
        int max;
    };

protected:
    bool horizontal() const { return align() == Align::Top || align() == Align::Bottom; }
    // The extent of r along the splitter's axis.
    int along(const RECT& r) const { return horizontal() ? r.bottom - r.top : r.right - r.left; }
    // Called as a drag begins; none: there is nothing to drag.
    virtual std::optional<SizeRange> beginDrag(Control& first);
    // The neighbour takes size: while the drag runs when it follows the mouse, and at its end.
    virtual void resizeTo(Control& first, int size);
    // True: the controls follow the mouse; false: a line shows where the
    // splitter goes until the release.
    virtual bool followsMouse() const { return true; }
    void createParams(CreateArgs& args) override;
    LRESULT wndProc(UINT msg, WPARAM wp, LPARAM lp) override;
};

}  // namespace kv::ui
