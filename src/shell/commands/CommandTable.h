#pragma once
// The main window's commands as one table: the menu item and toolbar button
// that run each, its shortcut, and the rules UpdateCommands applies to it.
#include <span>
#include <string_view>

#include "shell/commands/CommandIds.h"
#include "shell/commands/SearchRefusal.h"

namespace kv {

// When a command is usable; evaluated over a SelectionSnapshot.
enum class EnabledRule : std::uint8_t {
    Always,
    Open,         // a catalog is open
    Modified,     // the selected node's catalog is modified
    Back,         // a node is selected and it is not a catalog
    ExportDesc,   // a target that is not a catalog
    Explorer,     // a target that is neither a catalog nor an archive member
    Compare,      // the target is a disk, or a folder that is not an archive
    Launch,       // a plain file, a member of a listable archive, an archive folder
    ViewFile,     // Launch, and the target is a file
    CopyTo,
    ExtractTo,
    AddToList,
    SetCategory,
    Rows,         // the item list has rows
    Duplicates,   // Open, unless a duplicates search runs
    Rename,
};

enum class CheckRule : std::uint8_t { None, SortColumn, SortReverse, ViewStyle, ToolbarVisible, StatusBarVisible };

struct CommandInfo {
    CommandId id;
    const char* menuName;    // the main menu item's name; "" when the menu has none
    const char* caption;     // the main menu caption
    const char* shortCut;    // "" for none
    const char* buttonName;  // the toolbar button; "" for none
    int buttonTag;           // persisted in the custom toolbar layout; 0 for none
    int menuTag;             // the menu item's own Tag (Save As, Duplicates, settings pages, sort columns)
    std::uint8_t group;      // the UpdateCommands groups that refresh it; 0: always
    EnabledRule enabled;
    CheckRule checked;
    int checkValue;          // the sort column or view style that checks it
    Refusal refusal;         // shown instead of running while a search runs
};

std::span<const CommandInfo> CommandTable();
const CommandInfo& CommandInfoOf(CommandId id);
// By the name of a main menu item or of a toolbar button; nullptr when unknown.
const CommandInfo* FindCommandByMenuName(std::string_view name);
const CommandInfo* FindCommandByButton(std::string_view name);

}  // namespace kv
