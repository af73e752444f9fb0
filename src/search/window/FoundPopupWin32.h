#pragma once
// The found list's popup: the toolbar's actions on hits, each item with its
// button's picture, shown exactly when its button is enabled.
#include <functional>
#include <span>

#include "controls/menus/OwnerDrawMenuWin32.h"
#include "search/window/SearchToolbarWin32.h"

namespace kv {

struct FoundPopupEntry {
    const char* name;
    const char* caption;
    FoundAction action;  // None for a separator
};

class FoundPopupWin32 {
public:
    // The pictures come from the toolbar, which must outlive the popup.
    void Create(SearchToolbarWin32& toolbar, std::function<void(FoundAction)> run);
    // Another window's items; glyph gives an action's picture strip (null for none).
    void Create(std::span<const FoundPopupEntry> entries, std::function<HBITMAP(FoundAction)> glyph,
                std::function<void(FoundAction)> run);
    // Items follow their buttons; the item of `defaultAction` is drawn bold.
    void Prepare(const FoundActionStates& states, FoundAction defaultAction);
    ui::MenuItem* Item(FoundAction action);
    ui::TODPopupMenu& Menu() { return menu_; }

private:
    ui::TODPopupMenu menu_;
    std::span<const FoundPopupEntry> entries_;
};

}  // namespace kv
