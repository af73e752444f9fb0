#include "controls/docks/ToolbarPositions.h"

#include <algorithm>

namespace kv::ui {

bool WriteToolbarPosition(SectionStore& store, std::string_view toolbarName, const ToolbarPosition& p) {
    bool ok = store.WriteInteger(toolbarName, "Visible", p.visible ? 1 : 0);
    if (p.dockedTo.empty()) return ok;
    ok &= store.WriteString(toolbarName, "DockedTo", p.dockedTo);
    ok &= store.WriteInteger(toolbarName, "DockRow", p.dockRow);
    ok &= store.WriteInteger(toolbarName, "DockPos", p.dockPos);
    ok &= store.WriteInteger(toolbarName, "FloatLeft", p.floatRect.left);
    ok &= store.WriteInteger(toolbarName, "FloatTop", p.floatRect.top);
    ok &= store.WriteInteger(toolbarName, "FloatRight", p.floatRect.right);
    ok &= store.WriteInteger(toolbarName, "FloatBottom", p.floatRect.bottom);
    ok &= store.WriteInteger(toolbarName, "FloatRightX", p.floatRightX);
    return ok;
}

ToolbarPosition ReadToolbarPosition(const SectionStore& store, std::string_view name, const ToolbarPosition& current) {
    ToolbarPosition p = current;
    p.visible = store.ReadInteger(name, "Visible", current.visible ? 1 : 0) != 0;
    p.dockedTo = store.ReadString(name, "DockedTo", "");
    if (p.dockedTo.empty()) return p;
    p.dockRow = std::clamp(store.ReadInteger(name, "DockRow", current.dockRow), 0, kMaxStoredDockRow);
    p.dockPos = std::clamp(store.ReadInteger(name, "DockPos", current.dockPos), -1, kMaxStoredDockPos);
    // Screen coordinates stay within what a 16-bit-era screen could be.
    auto coord = [&](const char* value) {
        return std::clamp(store.ReadInteger(name, value, 0), -kMaxStoredDockPos, kMaxStoredDockPos);
    };
    p.floatRect = NormalizeRect({coord("FloatLeft"), coord("FloatTop"), coord("FloatRight"), coord("FloatBottom")});
    p.floatRightX = std::clamp(store.ReadInteger(name, "FloatRightX", 0), 0, kMaxStoredDockPos);
    return p;
}

}  // namespace kv::ui
