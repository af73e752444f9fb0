#pragma once
// A tool button that takes no focus: a glyph strip (up, disabled, pressed,
// held down), a flat look that rises under the mouse, and groups of buttons of
// which one stays down.
#include <functional>

#include "ui/Control.h"

namespace kv::ui {

class SpeedButton : public Control {
public:
    SpeedButton();
    // The strip is not owned; its bottom-left pixel is the see-through colour.
    void setGlyph(HBITMAP strip, int numGlyphs = 1);
    // The glyphs the strip really holds: never more than its width in pixels.
    int numGlyphs() const;
    void setFlat(bool flat);
    int groupIndex = 0;
    bool allowAllUp = false;
    void setDown(bool down);
    bool down() const { return down_; }
    bool hot() const { return hot_; }
    std::function<void(SpeedButton& sender)> onClick;
    void click() override;
    bool mnemonic(char key) override;

protected:
    void createParams(CreateArgs& args) override;
    LRESULT wndProc(UINT msg, WPARAM wp, LPARAM lp) override;

private:
    void paint(HDC dc);
    void repaint();
    HBITMAP glyph_ = nullptr;
    int numGlyphs_ = 1;
    bool flat_ = false;
    bool down_ = false;
    bool pressed_ = false;
    bool hot_ = false;
};

}  // namespace kv::ui
