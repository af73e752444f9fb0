#pragma once
// The stored place of a toolbar: one section per toolbar name holding
// "Visible", "DockedTo" (a dock name or "nil"), the row and position, the
// floating rectangle and "FloatRightX". Stored values are not trusted: rows
// and positions are clamped and the rectangle put in order.
#include <optional>
#include <string>
#include <string_view>

#include "controls/docks/DockGeometry.h"
#include "system/settings/SectionStore.h"

namespace kv::ui {

inline constexpr std::string_view kFloatingDockName = "nil";
// The key below HKEY_CURRENT_USER every window keeps its toolbars under.
inline constexpr std::string_view kToolbarPositionsKey = "\\SOFTWARE\\Talvenmoor\\Korvalder?";

struct ToolbarPosition {
    bool visible = true;
    std::string dockedTo;  // a dock name, "nil" floating, empty: only "Visible" is kept
    int dockRow = 0;
    int dockPos = -1;
    DockRect floatRect;  // client rectangle of the floating window, screen coordinates
    int floatRightX = 0;
    friend bool operator==(const ToolbarPosition&, const ToolbarPosition&) = default;
};

// Writes the toolbar's section; a position without a dock name writes only
// "Visible". False when the store refused a value.
bool WriteToolbarPosition(SectionStore& store, std::string_view toolbarName, const ToolbarPosition& position);

// Reads over current: missing values keep what current has; an empty
// "DockedTo" reads nothing beyond "Visible".
ToolbarPosition ReadToolbarPosition(const SectionStore& store, std::string_view toolbarName,
                                    const ToolbarPosition& current);

// Stored positions beyond this are pulled in: no dock is this long.
inline constexpr int kMaxStoredDockPos = 1 << 16;
inline constexpr int kMaxStoredDockRow = 1 << 10;

}  // namespace kv::ui
