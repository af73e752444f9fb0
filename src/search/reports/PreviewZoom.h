#pragma once
// The print preview's zoom: the steps of its zoom box, what the box shows for
// any zoom, typed zooms, and zooming in and out one step.
#include <array>
#include <optional>
#include <string>
#include <string_view>

namespace kv {

inline constexpr std::array<int, 18> kZoomSteps = {10,  20,  30,  40,  50,  60,  70,  80,  90,
                                                   100, 110, 120, 130, 140, 150, 200, 250, 300};
inline constexpr int kMinZoom = 10;
inline constexpr int kMaxZoom = 300;

struct ZoomChoice {
    int item;  // the last step not above the zoom (0 below the first)
    std::string text;
};
ZoomChoice ZoomComboChoice(int zoom);

// "80", "80%", " 80 % ": 80; kept within 10..300. Empty: the current zoom;
// anything else: nothing.
std::optional<int> ParseZoomText(std::string_view text, int current);

// The step after (in) or before the one the zoom box shows for the zoom;
// the same zoom at the ends of the list.
int StepZoom(int zoom, bool in);

// The zoom that shows a whole page, or the page's width, in a view (all in pixels).
int ZoomToFit(double pageWidth, double pageLength, int viewWidth, int viewHeight);
int ZoomToWidth(double pageWidth, int viewWidth);

}  // namespace kv
