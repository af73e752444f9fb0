#pragma once
// The tool button of every toolbar: takes no focus, shows a glyph of up to
// five images (a disabled one embossed when the strip has none) and a
// caption, rises under the mouse when flat, keeps one of its group down, and
// may open a drop-down menu.
#include <functional>
#include <string>

#include "ui/ButtonGlyph.h"
#include "ui/ButtonRules.h"
#include "ui/Control.h"
#include "ui/Form.h"
#include "ui/Menu.h"

namespace kv::ui {

class SpeedButton : public Control {
public:
    SpeedButton();
    ~SpeedButton() override;

    // Buttons of one parent with the same non-zero group act as radio buttons;
    // with allowAllUp all of them may be up.
    int groupIndex = 0;
    bool allowAllUp = false;
    TButtonDisplayMode displayMode = TButtonDisplayMode::dmBoth;
    TButtonLayout layout = TButtonLayout::blGlyphLeft;
    // Distance of glyph and caption from the edge; -1 centres them.
    int margin = -1;
    int spacing = 4;
    // Off: what lies behind shows through.
    bool opaque = true;
    bool wordWrap = false;
    // Opened by the button (not owned): the whole button, or with dropdownCombo
    // its arrow part only; the chosen item runs.
    PopupMenu* dropdownMenu = nullptr;
    bool dropdownArrow = true;
    bool dropdownCombo = false;

    // A copy of the strip is kept; its bottom-left pixel is the see-through colour.
    void setGlyph(HBITMAP strip, int numGlyphs = 1);
    // The glyphs the strip really holds: never more than its width in pixels.
    int numGlyphs() const { return glyph_.count(); }
    const TButtonGlyph& glyph() const { return glyph_; }
    void setOldDisabledStyle(bool old);
    bool oldDisabledStyle() const { return glyph_.oldDisabledStyle(); }
    // Flat: a border only while the mouse is over it or it is down.
    void setFlat(bool flat);
    bool flat() const { return flat_; }
    void setDown(bool down);
    bool down() const { return down_; }
    bool hot() const { return hot_; }
    TButtonState state() const;

    std::function<void(SpeedButton& sender)> onClick;
    // The mouse came over the enabled button, and left it (or the program).
    std::function<void(SpeedButton& sender)> onHotEnter;
    std::function<void(SpeedButton& sender)> onHotExit;
    void click() override;
    bool mnemonic(char key) override;
    void paint(HDC dc);

protected:
    // Where the drop-down menu opens: below the button.
    virtual PopupAnchor dropdownAnchor(const DockRect& buttonOnScreen) const;
    // The form a click brings to the front and whose program's deactivation
    // ends the hot state.
    virtual Form* owningForm() const;
    void createParams(CreateArgs& args) override;
    LRESULT wndProc(UINT msg, WPARAM wp, LPARAM lp) override;

private:
    void repaint();
    void enterHot();
    void leaveHot();
    void openMenu();

    TButtonGlyph glyph_;
    bool flat_ = false;
    bool down_ = false;
    bool pressed_ = false;
    bool tracking_ = false;
    bool hot_ = false;
    bool* destroyed_ = nullptr;         // set while the menu runs: the button may go meanwhile
    ListenerRegistration appListener_;  // while hot: leaving the program ends it
};

}  // namespace kv::ui
