#pragma once
// A flat tool button for dock toolbars: a glyph of up to five images (a
// disabled one embossed when the strip has none; the images kept in the image
// lists all buttons share), a caption, hot tracking, radio groups and an
// optional drop-down menu.
#include <functional>
#include <string>

#include "controls/docks/GlyphCacheWin32.h"
#include "controls/docks/ToolbarButtonRules.h"
#include "ui/Control.h"
#include "ui/Form.h"

namespace kv::ui {

class TDockToolbarButton : public Control {
public:
    TDockToolbarButton();
    ~TDockToolbarButton() override;

    bool AllowAllUp = false;
    int GroupIndex = 0;
    TButtonDisplayMode DisplayMode = TButtonDisplayMode::dmBoth;
    bool DropdownArrow = true;
    bool DropdownCombo = false;
    HMENU DropdownMenu = nullptr;  // not owned
    bool Flat = true;
    TButtonLayout Layout = TButtonLayout::blGlyphLeft;
    int Margin = -1;
    bool Opaque = true;
    int Spacing = 4;
    bool WordWrap = false;

    bool Down() const { return down_; }
    void SetDown(bool down);
    // The strip is not owned; its bottom-left pixel is the see-through colour.
    void SetGlyph(HBITMAP strip, int numGlyphs = 1);
    int NumGlyphs() const { return glyph_.numGlyphs(); }
    bool OldDisabledStyle() const { return glyph_.oldDisabledStyle(); }
    const TButtonGlyph& glyph() const { return glyph_; }
    void SetOldDisabledStyle(bool old);
    TButtonState state() const;
    bool hot() const { return hot_; }

    std::function<void(TDockToolbarButton& sender)> OnClick;
    std::function<void(TDockToolbarButton& sender)> OnMouseEnter;
    std::function<void(TDockToolbarButton& sender)> OnMouseExit;
    void click() override;
    bool mnemonic(char key) override;
    void paint(HDC dc);

protected:
    void createParams(CreateArgs& args) override;
    LRESULT wndProc(UINT msg, WPARAM wp, LPARAM lp) override;

private:
    void repaint();
    void enterHot();
    void leaveHot();
    void openMenu();
    DockSide dockSide() const;
    Form* owningForm() const;

    TButtonGlyph glyph_;
    bool down_ = false;
    bool pressed_ = false;
    bool tracking_ = false;
    bool hot_ = false;
    bool menuOpen_ = false;
    bool* destroyed_ = nullptr;  // set while the menu runs: the button may go meanwhile
    ListenerRegistration appListener_;  // while hot: leaving the program ends it
};

}  // namespace kv::ui
