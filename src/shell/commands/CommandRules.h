#pragma once
// Which commands are usable, checked and visible for the current selection and
// program state: a pure function of a snapshot, applied by the window.
#include <array>
#include <cstdint>
#include <string>

#include "shell/commands/CommandIds.h"

namespace kv {

inline constexpr std::uint8_t kNoKind = 255;

// What the selected rows of the item list hold, for the commands that act on
// all of them.
struct SelectionFacts {
    bool addList = false;  // some record in no user list, not the ".." row
    bool setCat = false;   // some file, or some folder other than the ".." row
    bool extract = false;  // some member of a listable archive
    bool copyTo = false;   // some folder other than "..", or some file that is no archive member
    bool complete() const { return addList && setCat && extract && copyTo; }
};

// The command target as the toolbar sees it.
struct TargetFacts {
    std::uint8_t kind = kNoKind;  // item kind of the target record; kNoKind: none
    bool archive = false;         // flag 0x10: an archive folder or an archive member
    bool listed = false;          // in the user list
    bool listableMember = false;  // an archive member whose archive can be listed
    bool fromTree = true;
};

struct SelectionSnapshot {
    int catalogsOpen = 0;
    std::uint8_t selectedKind = 0;  // kind of the selected node's record; 0: nothing selected
    bool selectedCatalogModified = false;
    TargetFacts target;
    SelectionFacts selection;  // used when the target comes from the list
    bool treeActive = false;
    bool listHasFocusedRow = false;
    int rows = 0;
    int viewStyle = 3;
    int sortColumn = 0;
    bool sortReverse = false;
    bool searchRunning = false;
    bool searchDuplicates = false;
    bool toolbarVisible = true;
    bool statusBarVisible = true;
};

struct CommandState {
    bool enabled = true;
    // What the rule allows; `enabled` also needs the command's window to exist.
    bool allowed = true;
    bool checked = false;  // menu check mark; toolbar buttons show it pressed
    std::string caption;   // empty: the table's caption
    bool operator==(const CommandState&) const = default;
};

struct CommandStates {
    std::array<CommandState, kCommandCount> items{};
    // The search window goes when its command becomes unusable.
    bool hideSearchWindow = false;
    CommandState& operator[](CommandId id) { return items[Index(id)]; }
    const CommandState& operator[](CommandId id) const { return items[Index(id)]; }
};

// Refreshes the commands of the groups in `groups` (CommandGroup bits; the
// view commands follow the item group too) and those that always follow.
void UpdateCommandStates(CommandStates& states, const SelectionSnapshot& snapshot, std::uint8_t groups);

// Every command evaluated.
CommandStates EvaluateCommands(const SelectionSnapshot& snapshot);

}  // namespace kv
