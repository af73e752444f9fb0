#pragma once
// The settings dialog's rules that need no window: which controls a setting
// enables, the moves of the multi-select lists, the description patterns and
// the texts of the font page.
#include <algorithm>
#include <array>
#include <cstddef>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "base/text/AnsiCase.h"
#include "shell/settings/Settings.h"

namespace kv {

inline constexpr std::size_t kMaxAutoloadCatalogs = 99;

// What the enabling depends on besides the settings.
struct OptionsListState {
    std::size_t autoloadCount = 0;
    std::size_t descPatternCount = 0;
    bool descEditEmpty = true;
    bool modified = false;
};

struct OptionsEnabling {
    // User interface
    bool autohide = false, descWait = false, descHide = false;
    // General
    bool viewerPath = false;
    // Descriptions
    bool descMaxLevels = false, descAdd = false, descListButtons = false;
    // Disk image
    bool truncLines = false, serialAsk = false;
    // Archive files: the type boxes, descriptions only and quick scan
    bool archiveOptions = false;
    // Auto load: label, list and Remove; Add; Up and Down
    bool autoloadList = false, autoloadAdd = false, autoloadMove = false;
    bool apply = false;
    bool operator==(const OptionsEnabling&) const = default;
};

OptionsEnabling EnablingFor(const Settings& s, const OptionsListState& lists);

// Every selected item moves one place up (delta -1) or down (1); a run of
// selected items at that end stays put. The selection moves with the items.
template <class T>
void MoveSelected(std::vector<T>& items, std::vector<bool>& selected, int delta) {
    const std::size_t n = std::min(items.size(), selected.size());
    if (n < 2)
        return;
    auto step = [&](std::size_t i, std::size_t neighbour) {
        if (selected[i] && !selected[neighbour]) {
            std::swap(items[i], items[neighbour]);
            selected[i] = false;
            selected[neighbour] = true;
        }
    };
    if (delta < 0)
        for (std::size_t i = 1; i < n; ++i) step(i, i - 1);
    else
        for (std::size_t i = n - 1; i-- > 0;) step(i, i + 1);
}

// A typed description pattern made storable: cleaned as masks are, in upper
// case. Empty when nothing usable remains.
std::string CleanDescPattern(std::string_view typed, const CaseMap& caseMap);

// The font page's label: "face, N pt" and the style words; the height turned
// into points at the display's dpi.
std::string FontLabelText(const FontData& font, int dpi);

std::string_view FontSlotCaption(std::size_t slot);
std::string_view FontSlotExplanation(std::size_t slot);
// The description sources as the import-priority list names them.
std::string_view DescSourceCaption(DescSource source);
// The double-click actions, by their index.
inline constexpr std::array<std::string_view, 6> kDoubleClickCaptions = {
    "Nothing", "Display File's Properites", "Open File in Explorer", "Launch File", "View File",
    "Open Description Assistant"};

}  // namespace kv
