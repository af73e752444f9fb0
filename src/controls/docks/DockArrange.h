#pragma once
// How a dock lays its toolbars out in rows: sorted by row and position, empty
// rows closed up, overlaps pushed along, a row that runs past the dock's end
// pulled back, rows stacked. Stored rows and positions may be anything, so rows
// are ranked (never counted through) and positions worked in 64 bits.
#include <cstdint>
#include <vector>

namespace kv::ui {

struct DockBarInput {
    std::int64_t row = 0;
    std::int64_t pos = 0;
    int length = 0;     // along the dock: width in a top/bottom dock, height in a side dock
    int thickness = 0;  // across the dock, without the docked border
};

struct DockBarPlacement {
    int row = 0;        // the new DockRow
    int pos = 0;        // the new DockPos: offset along the row
    int rowStart = 0;   // offset of its row across the dock
    int thickness = 0;  // the row's thickness, which the toolbar takes
    friend bool operator==(const DockBarPlacement&, const DockBarPlacement&) = default;
};

struct DockArrangeOptions {
    int clientLength = 0;  // the dock's client length along its rows
    bool limitToOneRow = false;
    bool fixAlign = false;
    int boundLines = 0;  // non-client lines across the dock (0..2)
};

struct DockArrangement {
    std::vector<DockBarPlacement> bars;  // in input order
    std::vector<int> rowThickness;
    int thickness = 0;  // the dock's thickness across
};

inline constexpr int kDockBorder = 2;       // docked border on each side of a toolbar
inline constexpr int kMinToolbarContent = 8;

DockArrangement ArrangeDock(const std::vector<DockBarInput>& bars, const DockArrangeOptions& options);

}  // namespace kv::ui
