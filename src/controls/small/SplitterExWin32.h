#pragma once
// A splitter that resizes the controls on both of its sides: the one it is
// aligned against takes the new size and the one beyond it the rest of their
// span. Without DragUpdate a line shows where it goes until the release.
#include "ui/Component.h"
#include "ui/Splitter.h"

namespace kv::ui {

class TSplitterEx : public Splitter {
public:
    TSplitterEx();
    bool Beveled = true;
    bool DragUpdate = false;

protected:
    std::optional<SizeRange> beginDrag(Control& first) override;
    void resizeTo(Control& first, int size) override;
    bool followsMouse() const override { return DragUpdate; }
    void createParams(CreateArgs& args) override;
    LRESULT wndProc(UINT msg, WPARAM wp, LPARAM lp) override;

private:
    void paint(HDC dc);
    // What the drag began with.
    ComponentRef<Control> second_;
    RECT firstStart_{};
    RECT secondStart_{};
};

}  // namespace kv::ui
