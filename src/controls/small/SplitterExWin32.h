#pragma once
// A bar that resizes the controls on both of its sides: the one it is aligned
// against takes the new size and the one beyond it the rest of their span.
#include <functional>

#include "ui/Control.h"

namespace kv::ui {

class TSplitterEx : public Control {
public:
    TSplitterEx();
    bool Beveled = true;
    int MinSize = 30;
    bool DragUpdate = false;
    std::function<void(TSplitterEx& sender)> OnMoved;

    // The drag a press at start (client coordinates) begins; positions come
    // from the messages, Esc cancels.
    void runDrag(POINT start);

protected:
    void createParams(CreateArgs& args) override;
    LRESULT wndProc(UINT msg, WPARAM wp, LPARAM lp) override;

private:
    bool horizontal() const { return align() == Align::Top || align() == Align::Bottom; }
    Control* before() const;
    Control* after() const;
    void paint(HDC dc);
    void resize(Control& first, Control& second, RECT firstStart, RECT secondStart, int size);
};

}  // namespace kv::ui
