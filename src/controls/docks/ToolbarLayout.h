#pragma once
// How a toolbar places its controls in lines: groups that end after a
// separator are kept together where they fit, a separator that ended a
// wrapped line shrinks to a horizontal line pair, and a line always takes its
// first control however wide, so a narrow wrap width can never loop.
#include <vector>

#include "controls/docks/DockGeometry.h"

namespace kv::ui {

enum class ToolbarOrientation { Floating, Horizontal, Vertical };

struct ToolbarItem {
    int width = 0;
    int height = 0;
    bool separator = false;
    int sizeHorz = 6;
    int sizeVert = 6;
    bool visible = true;
};

struct ToolbarItemPlacement {
    DockRect bounds;
    bool lineSeparator = false;  // ended a wrapped line: drawn as a line pair above lineOffset
    int nextLineOffset = 0;      // for line separators: where the next line starts
    friend bool operator==(const ToolbarItemPlacement&, const ToolbarItemPlacement&) = default;
};

struct ToolbarLayoutInput {
    ToolbarOrientation orientation = ToolbarOrientation::Horizontal;
    int wrapWidth = 0;  // floating only; 0 or less: one line
    bool dragHandle = true;
    int lineThickness = 0;  // 0: from the controls; else the dock row's content thickness
    int minThickness = 0;   // a docked toolbar is at least as thick as its row
};

struct ToolbarLayout {
    std::vector<ToolbarItemPlacement> items;  // in input order; hidden items empty
    DockSize size;
    int lines = 0;
};

struct ToolbarMargins {
    int beforeFirstLine, afterLastLine, lineStart, lineStartWithHandle, lineEnd;
};
ToolbarMargins MarginsFor(ToolbarOrientation orientation);

ToolbarLayout LayoutControls(const ToolbarLayoutInput& input, const std::vector<ToolbarItem>& items);

// The distinct floating sizes, widest first, for every wrap width from the
// single-line width downward.
std::vector<DockSize> CandidateSizes(const std::vector<ToolbarItem>& items);

// Picks among candidates for a frame drag: a side edge takes the widest
// candidate not wider than asked (else the narrowest); a top or bottom edge
// the lowest not lower than asked (else the tallest).
DockSize PickCandidateByWidth(const std::vector<DockSize>& candidates, int width);
DockSize PickCandidateByHeight(const std::vector<DockSize>& candidates, int height);

}  // namespace kv::ui
