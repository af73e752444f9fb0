#pragma once
// The floating toolbar window's frame: its caption text cut to the box, and
// which part of the frame a point is on.
#include <functional>
#include <string>

#include "controls/docks/DockGeometry.h"

namespace kv::ui {

// Appends "..." and drops characters before it until it fits, never keeping
// fewer than 5 of them.
std::string TruncateCaption(const std::string& text, int width, const std::function<int(const std::string&)>& textWidth);

enum class FloatHit { Nowhere, Client, Close, Left, Right, Top, Bottom };

struct FloatFrameMetrics {
    int frame = 4;          // sizing frame width
    int captionHeight = 16; // small caption height
};

// The window rectangle and point are in the same coordinates. The caption
// counts as client (it starts a drag); there are no corner codes.
FloatHit FloatHitTest(const DockRect& window, DockPoint p, const FloatFrameMetrics& m, bool closeButton);
// The close button's rectangle at the caption's right end.
DockRect FloatCloseButtonRect(const DockRect& window, const FloatFrameMetrics& m);

}  // namespace kv::ui
