#pragma once
// A push button with a glyph left of its caption: an owner-drawn BUTTON, so
// it keeps the button's keyboard, default and Cancel roles.
#include "ui/Button.h"

namespace kv::ui {

class BitBtn : public Button {
public:
    BitBtn();
    // The strip holds the enabled image and, when numGlyphs is 2, the disabled
    // one; it is not owned. Without a disabled image the enabled one is used.
    void setGlyph(HBITMAP strip, int numGlyphs = 1);
    HBITMAP glyph() const { return glyph_; }
    int numGlyphs() const;
    // Pixels from the left edge to the glyph; -1 centres glyph and caption together.
    void setMargin(int margin);
    int margin() const { return margin_; }
    // Pixels between the glyph and the caption.
    void setSpacing(int spacing);
    int spacing() const { return spacing_; }

    // Where the glyph and the caption go in the client area.
    struct Placement {
        RECT glyph;
        RECT text;
    };
    Placement placement() const;
    // The width of the caption as drawn (an "&" marks the next letter).
    int captionWidth() const;

protected:
    void createParams(CreateArgs& args) override;
    LRESULT wndProc(UINT msg, WPARAM wp, LPARAM lp) override;
    LRESULT reflected(UINT msg, WPARAM wp, LPARAM lp, bool& handled) override;

private:
    void draw(const DRAWITEMSTRUCT& item);
    void repaint();

    HBITMAP glyph_ = nullptr;
    int numGlyphs_ = 1;
    int margin_ = -1;
    int spacing_ = 4;
    bool default_ = false;
};

}  // namespace kv::ui
