#include "shell/commands/CommandsToCome.h"

#include <algorithm>

#include "shell/commands/CommandTable.h"

namespace kv {

bool CommandHasWindow(CommandId id) {
    switch (id) {
    // Copy, viewer, launch, Explorer, extraction, About and tips.
    case CommandId::CopyTo:
    case CommandId::ViewFile:
    case CommandId::Launch:
    case CommandId::Explorer:
    case CommandId::ExtractTo:
    case CommandId::About:
    case CommandId::Tips:
    // The settings dialog, the setup wizard and the columns setup.
    case CommandId::SettingsInterface:
    case CommandId::SettingsGeneral:
    case CommandId::SettingsToolbar:
    case CommandId::SettingsFonts:
    case CommandId::SettingsImage:
    case CommandId::SettingsExtract:
    case CommandId::SettingsDesc:
    case CommandId::SettingsAutoload:
    case CommandId::SetupWizard:
    case CommandId::ColumnsSetup:
    // Properties, descriptions, catalog information, categories, the catalog
    // manager and the import.
    case CommandId::Properties:
    case CommandId::EditDesc:
    case CommandId::CatalogInfo:
    case CommandId::Categories:
    case CommandId::SetCategory:
    case CommandId::CatManager:
    case CommandId::Import:
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
