#pragma once
// The search window's toolbar of speed buttons: names, places, hints,
// pictures and help topics. The window lays them out in the order of Tag.
#include <span>
#include <string_view>

#include "search/results/FoundActions.h"

namespace kv {

struct SearchButton {
    const char* name;
    int tag;              // place on the toolbar, from the left
    const char* hint;
    const char* glyph;    // bitmap resource: the main window's where the command is the same
    unsigned long helpContext;
    FoundAction action;   // None for the view, Stay On Top, Maximize and Help buttons
    int viewStyle;        // 1 large icons, 2 list, 3 small icons, 4 details; 0 for the others
};

std::span<const SearchButton> SearchToolbarButtons();
// The separators' places among the buttons' Tags.
std::span<const int> SearchToolbarBevelTags();
const SearchButton* FindSearchButton(std::string_view name);
// The help topic of a toolbar button by its name; 0 for anything else.
unsigned long SearchButtonHelpContext(std::string_view name);

}  // namespace kv
