#include "shell/commands/CommandsToCome.h"

#include <algorithm>

#include "shell/commands/CommandTable.h"

namespace kv {

bool CommandHasWindow(CommandId id) {
    switch (id) {
    // Comparing with the medium, the user list and the reports.
    case CommandId::Compare:
    case CommandId::CheckCat:
    case CommandId::UserList:
    case CommandId::AddToUserList:
    case CommandId::ReportGen: return false;
    default: return true;
    }
}

std::string CommandToComeText(CommandId id) {
    std::string name = CommandInfoOf(id).caption;
    std::erase(name, '&');
    if (name.ends_with("..."))
        name.resize(name.size() - 3);
    return "\"" + name + "\" is not part of this version of the program yet.";
}

}  // namespace kv
