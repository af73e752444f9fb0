#pragma once
// A bar between two aligned controls; dragging it resizes the control beside
// it (the one it touches on the side it is aligned to). Takes no focus.
#include <functional>

#include "ui/Control.h"

namespace kv::ui {

class Splitter : public Control {
public:
    Splitter();
    int minSize = 30;
    std::function<void(Splitter& sender)> onMoved;
    // The control this splitter resizes, or null.
    Control* neighbour() const;

protected:
    void createParams(CreateArgs& args) override;
    LRESULT wndProc(UINT msg, WPARAM wp, LPARAM lp) override;

private:
    bool horizontal() const { return align() == Align::Top || align() == Align::Bottom; }
    void dragTo(int pos);
    bool dragging_ = false;
    int start_ = 0;
    int startSize_ = 0;
};

}  // namespace kv::ui
