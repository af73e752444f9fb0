#pragma once
// The main window's status bar texts and the hint rules: what the panels say,
// how wide they are, how long hints wait and what a description hint shows.
#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "base/text/DateText.h"
#include "catalog/model/Node.h"

namespace kv {

// Panel 0: "Empty" with nothing selected, else "Modified" or "Loaded" for the
// selected node's catalog. Save is usable exactly when it reads "Modified".
std::string CatalogStateText(const Node* selected);

// Panels 0..3 for a client width: 75, 70 % and 30 % of what is left, 33; never negative.
std::array<int, 4> StatusPanelWidths(int clientWidth);
// The panel under x, or -1 past the last one.
int StatusPanelAt(const std::array<int, 4>& widths, int x);

struct SummaryServices {
    // The short date of a DOS date-time; empty: the default date text.
    DateTimeFormatter shortDate;
    // Makes a folder's sub-folders present (reads them from the catalog file).
    std::function<void(Node&)> loadSubfolders;
};

// The one-line summary of an item for panel 1; a damaged catalog found while
// counting sub-folders gives what is known instead of an error.
std::string GetItemSummary(std::string_view caption, const ItemHead* record, bool isUpRow,
                           const SummaryServices& services);

// Hint timings in milliseconds; a hide pause of 0 never hides.
struct HintTimings {
    int pause = 800;
    int shortPause = 50;
    int hidePause = 2500;
    bool operator==(const HintTimings&) const = default;
};
struct DescriptionHintSettings {
    int waitTenths = 5;  // the wait track bar, in units of 100 ms
    int hideSeconds = 5; // the hide track bar
    bool autohide = true;
};
inline constexpr int kNeverHide = 0;
// Over an item list or the tree the description settings apply, elsewhere 800/50/2500.
HintTimings HintTimingsFor(bool overItemList, const DescriptionHintSettings& settings);

// A description as a hint: wrapped at 80 columns, at most 15 lines, then
// CR LF "(more...)" when lines were cut.
std::string DescriptionHintText(std::string_view description);

// The shortcut appended to a toolbar button's hint as " (shortcut)"; "" for a
// button without one.
std::string_view ButtonShortcutText(std::string_view buttonName);
std::string HintWithShortcut(std::string_view hint, std::string_view buttonName, bool showShortcuts);

// The help topic a main toolbar button opens in the What's-This mode; 0 for none.
int ButtonHelpContext(std::string_view buttonName);

}  // namespace kv
