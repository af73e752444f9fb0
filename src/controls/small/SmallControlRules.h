#pragma once
// The arithmetic of the small controls, apart from their windows: the basic
// colour table, the splitter's size limits, the tree's drag auto-scroll, the
// size guard's answer to the size query and the page control's tab styles.
#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "controls/docks/DockGeometry.h"

namespace kv::ui {

struct BasicColor {
    std::uint32_t rgb;  // 0x00BBGGRR
    std::string_view name;
};
extern const std::array<BasicColor, 16> kBasicColors;
// The index of the basic colour with that RGB value, or -1.
int FindBasicColor(std::uint32_t rgb);

// The splitter's first control may take sizes in [min, max]; nothing when the
// span is too small for MinSize on both sides.
struct SplitterSpan {
    int clientSize;      // the parent's client extent along the splitter's axis
    int alignedSizes;    // of every control aligned to either side, the splitter included
    int firstSize;       // the first control's size when the drag began
    int minSize;
};
struct SplitterLimits {
    int min;
    int max;
};
std::optional<SplitterLimits> SplitterSizeLimits(const SplitterSpan& span);
// The first control's new size for a drag of offset pixels, clamped.
int SplitterDraggedSize(const SplitterLimits& limits, int firstSize, int offset);

// Which way a drag near a tree's edge scrolls: -1, 0 or 1 per axis.
struct AutoScrollStep {
    int dx = 0;
    int dy = 0;
    friend bool operator==(const AutoScrollStep&, const AutoScrollStep&) = default;
};
AutoScrollStep AutoScrollDirection(DockPoint p, const DockRect& client, int fontHeight, bool hasVertRange,
                                   bool hasHorzRange);

// The size guard's options; all set by default.
enum MinMaxOption : unsigned {
    opAllowResize = 1,
    opMaxPosition = 2,
    opMaxSize = 4,
    opMaxTrackSize = 8,
    opMinTrackSize = 16,
    opAllMinMax = 31,
};
struct MinMaxFields {
    DockPoint maxSize, maxPosition, minTrackSize, maxTrackSize;
    friend bool operator==(const MinMaxFields&, const MinMaxFields&) = default;
};
// Fills the fields the options ask for over what the system proposed.
MinMaxFields ApplyMinMax(MinMaxFields proposed, const MinMaxFields& wanted, unsigned options, DockSize current);

// Tab styles of the page control.
enum TabStyle : unsigned {
    tabButton = 1,
    tabMultiline = 2,
    tabRightJustify = 4,
    tabIconLeft = 8,
    tabLabelLeft = 16,
    tabOwnerDraw = 32,
};
// The set with its implications: right-justify brings multi-line, label-left icon-left.
unsigned ImpliedTabStyles(unsigned styles);
// The tab window styles (TCS_*) the set asks for; tabWidth is 100 when icons
// are forced left without a fixed width, else 0.
struct TabWindowStyle {
    std::uint32_t style = 0;
    int tabWidth = 0;
};
TabWindowStyle TabStylesToWindowStyle(unsigned styles, bool fixedWidth);

// What a link label opens: its URL, or its caption when the URL is blank;
// only web and mail addresses, so a caption can never start a program.
std::optional<std::string> UrlTarget(std::string_view url, std::string_view caption);

}  // namespace kv::ui
