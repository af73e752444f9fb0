#pragma once
// The commands whose windows are not part of the program yet. The command
// rules disable them everywhere (menus, toolbar, popups, keys); the list
// shrinks as their windows arrive.
#include <string>

#include "shell/commands/CommandIds.h"

namespace kv {

bool CommandHasWindow(CommandId id);
// What the user is told when such a command is asked for where it cannot be
// disabled (a double click on a file runs the action the settings name).
std::string CommandToComeText(CommandId id);
inline constexpr const char* kCommandToComeCaption = "Not available";

}  // namespace kv
