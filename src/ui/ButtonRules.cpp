#include "ui/ButtonRules.h"

#include <algorithm>

namespace kv::ui {

TButtonState ButtonState(bool enabled, bool pressed, bool down, bool hot) {
    if (!enabled) return TButtonState::bsDisabled;
    if (pressed) return TButtonState::bsDown;
    if (down) return TButtonState::bsExclusive;
    if (hot) return TButtonState::bsHot;
    return TButtonState::bsUp;
}

GlyphChoice GlyphFor(TButtonState state, int numGlyphs) {
    const int index = static_cast<int>(state);
    if (index < std::clamp(numGlyphs, 1, 5)) return {index, false};
    return {0, state == TButtonState::bsDisabled};
}

ButtonContent LayoutButtonContent(const DockRect& c, DockSize g, DockSize t, TButtonLayout layout, int margin,
                                  int spacing) {
    const bool hasGlyph = g.width > 0 && g.height > 0;
    const bool hasText = t.width > 0 && t.height > 0;
    if (!hasGlyph || !hasText) spacing = 0;
    const bool horizontal = layout == TButtonLayout::blGlyphLeft || layout == TButtonLayout::blGlyphRight;
    const int extent = horizontal ? c.width() : c.height();
    const int total = horizontal ? g.width + spacing + t.width : g.height + spacing + t.height;
    const int start = margin < 0 ? (extent - total) / 2 : margin;
    const int midX = c.left + (c.width() - g.width) / 2;
    const int midY = c.top + (c.height() - g.height) / 2;
    const int textX = c.left + (c.width() - t.width) / 2;
    const int textY = c.top + (c.height() - t.height) / 2;
    ButtonContent out;
    switch (layout) {
    case TButtonLayout::blGlyphLeft:
        out.glyph = {c.left + start, midY};
        out.text = {out.glyph.x + g.width + spacing, textY, out.glyph.x + g.width + spacing + t.width, textY + t.height};
        break;
    case TButtonLayout::blGlyphRight:
        out.text = {c.left + start, textY, c.left + start + t.width, textY + t.height};
        out.glyph = {out.text.right + spacing, midY};
        break;
    case TButtonLayout::blGlyphTop:
        out.glyph = {midX, c.top + start};
        out.text = {textX, out.glyph.y + g.height + spacing, textX + t.width, out.glyph.y + g.height + spacing + t.height};
        break;
    case TButtonLayout::blGlyphBottom:
        out.text = {textX, c.top + start, textX + t.width, c.top + start + t.height};
        out.glyph = {midX, out.text.bottom + spacing};
        break;
    }
    return out;
}

bool DropdownPartHit(int x, int width, bool hasMenu, bool combo) {
    return hasMenu && (!combo || x >= width - kDropdownArrowWidth);
}

PopupAnchor DropdownAnchor(DockSide side, const DockRect& b) {
    switch (side) {
    case DockSide::Left: return {{b.right, b.top}, false};
    case DockSide::Right: return {{b.left, b.top}, true};
    default: return {{b.left, b.bottom}, false};
    }
}

}  // namespace kv::ui
