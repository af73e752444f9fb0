#pragma once
// The tool button's decisions apart from its window: its state, which
// glyph image a state shows, where glyph and caption go, the drop-down part
// and where its menu opens.
#include "ui/Geometry.h"

namespace kv::ui {

enum class TButtonState { bsUp = 0, bsDisabled = 1, bsDown = 2, bsExclusive = 3, bsHot = 4 };
enum class TButtonLayout { blGlyphLeft, blGlyphRight, blGlyphTop, blGlyphBottom };
enum class TButtonDisplayMode { dmBoth, dmGlyphOnly, dmTextOnly };

// pressed: held down by the mouse now; down: the Down property.
TButtonState ButtonState(bool enabled, bool pressed, bool down, bool hot);

// The image of a state: the strip's own when it has that many, else the
// first; a disabled image the strip lacks is embossed from the first.
struct GlyphChoice {
    int index = 0;
    bool emboss = false;
    friend bool operator==(const GlyphChoice&, const GlyphChoice&) = default;
};
GlyphChoice GlyphFor(TButtonState state, int numGlyphs);

struct ButtonContent {
    DockPoint glyph;
    DockRect text;
};
// Places glyph and text in client; margin -1 centres them. An empty glyph or
// text takes no spacing.
ButtonContent LayoutButtonContent(const DockRect& client, DockSize glyph, DockSize text, TButtonLayout layout,
                                  int margin, int spacing);

inline constexpr int kDropdownArrowWidth = 11;
// Whether a press at x opens the menu: anywhere, or with combo only the arrow part.
bool DropdownPartHit(int x, int width, bool hasMenu, bool combo);

enum class DockSide { None, Top, Bottom, Left, Right };
struct PopupAnchor {
    DockPoint at;
    bool rightAligned = false;
    friend bool operator==(const PopupAnchor&, const PopupAnchor&) = default;
};
// The menu opens below the button; in a left dock at its top-right corner, in
// a right dock right-aligned at its top-left corner.
PopupAnchor DropdownAnchor(DockSide side, const DockRect& buttonOnScreen);

}  // namespace kv::ui
