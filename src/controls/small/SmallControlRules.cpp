#include "controls/small/SmallControlRules.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>

namespace kv::ui {

const std::array<BasicColor, 16> kBasicColors{{
    {0x000000, "Black"},  {0x000080, "Maroon"}, {0x008000, "Green"},  {0x008080, "Olive"},
    {0x800000, "Navy"},   {0x800080, "Purple"}, {0x808000, "Teal"},   {0x808080, "Gray"},
    {0xC0C0C0, "Silver"}, {0x0000FF, "Red"},    {0x00FF00, "Lime"},   {0x00FFFF, "Yellow"},
    {0xFF0000, "Blue"},   {0xFF00FF, "Fuchsia"}, {0xFFFF00, "Aqua"},  {0xFFFFFF, "White"},
}};

int FindBasicColor(std::uint32_t rgb) {
    for (std::size_t i = 0; i < kBasicColors.size(); ++i)
        if (kBasicColors[i].rgb == (rgb & 0xFFFFFF)) return static_cast<int>(i);
    return -1;
}

std::optional<SplitterLimits> SplitterSizeLimits(const SplitterSpan& s) {
    const int max = s.clientSize - s.minSize - s.alignedSizes + s.firstSize;
    if (max < s.minSize) return std::nullopt;
    return SplitterLimits{s.minSize, max};
}

int SplitterDraggedSize(const SplitterLimits& limits, int firstSize, int offset) {
    return std::clamp(firstSize + offset, limits.min, limits.max);
}

AutoScrollStep AutoScrollDirection(DockPoint p, const DockRect& c, int fontHeight, bool hasVertRange,
                                   bool hasHorzRange) {
    const int h = std::abs(fontHeight) / 2;
    AutoScrollStep step;
    const int bottom = c.bottom - (hasVertRange ? 16 : 0);
    const int right = c.right - (hasHorzRange ? 16 : 0);
    if (p.y < c.top + h)
        step.dy = -1;
    else if (p.y >= bottom - h)
        step.dy = 1;
    if (p.x < c.left + h)
        step.dx = -1;
    else if (p.x >= right - h)
        step.dx = 1;
    return step;
}

MinMaxFields ApplyMinMax(MinMaxFields f, const MinMaxFields& w, unsigned options, DockSize current) {
    if (options & opMaxSize) f.maxSize = w.maxSize;
    if (options & opMaxPosition) f.maxPosition = w.maxPosition;
    if (options & opAllowResize) {
        if (options & opMinTrackSize) f.minTrackSize = w.minTrackSize;
        if (options & opMaxTrackSize) f.maxTrackSize = w.maxTrackSize;
    } else {
        f.minTrackSize = f.maxTrackSize = {current.width, current.height};
    }
    return f;
}

unsigned ImpliedTabStyles(unsigned styles) {
    if (styles & tabRightJustify) styles |= tabMultiline;
    if (styles & tabLabelLeft) styles |= tabIconLeft;
    return styles;
}

TabWindowStyle TabStylesToWindowStyle(unsigned styles, bool fixedWidth) {
    // The tab control's style bits, as the common controls define them.
    constexpr std::uint32_t kButtons = 0x0100, kMultiline = 0x0200, kFixedWidth = 0x0400,
                            kForceIconLeft = 0x0010, kForceLabelLeft = 0x0020, kOwnerDrawFixed = 0x2000;
    styles = ImpliedTabStyles(styles);
    TabWindowStyle out;
    if (styles & tabButton) out.style |= kButtons;
    if (styles & tabMultiline) out.style |= kMultiline;
    if (styles & tabIconLeft) out.style |= kForceIconLeft;
    if (styles & tabLabelLeft) out.style |= kForceLabelLeft;
    if (styles & tabOwnerDraw) out.style |= kOwnerDrawFixed;
    if ((styles & tabIconLeft) && !fixedWidth) {
        out.style |= kFixedWidth;
        out.tabWidth = 100;
    }
    return out;
}

namespace {
std::string_view trimmed(std::string_view s) {
    while (!s.empty() && static_cast<unsigned char>(s.front()) <= ' ') s.remove_prefix(1);
    while (!s.empty() && static_cast<unsigned char>(s.back()) <= ' ') s.remove_suffix(1);
    return s;
}
bool startsWithNoCase(std::string_view s, std::string_view prefix) {
    if (s.size() < prefix.size()) return false;
    for (std::size_t i = 0; i < prefix.size(); ++i)
        if (std::tolower(static_cast<unsigned char>(s[i])) != prefix[i]) return false;
    return true;
}
}  // namespace

std::optional<std::string> UrlTarget(std::string_view url, std::string_view caption) {
    std::string_view target = trimmed(url);
    if (target.empty()) target = trimmed(caption);
    for (std::string_view scheme : {"http://", "https://", "mailto:"})
        if (startsWithNoCase(target, scheme) && target.size() > scheme.size()) return std::string(target);
    return std::nullopt;
}

}  // namespace kv::ui
