#pragma once
// What the setup wizard asks, copied from the settings when it shows and back
// when it finishes.
#include <array>
#include <cstdint>
#include <string>

#include "shell/settings/Settings.h"

namespace kv {

// The double-click choices in the order the wizard's page lists them.
enum class WizardAction : std::uint8_t { Nothing, Properties, Explorer, Launch, EditDesc, View };
inline constexpr std::size_t kWizardActions = 6;

struct WizardAnswers {
    std::string catalogFolder;
    bool createBak = true;
    bool browseArchives = true;
    bool skipHiddenFiles = true;
    bool skipHiddenFolders = true;
    bool skipRecycleBin = true;
    bool descTips = true;
    bool flatButtons = true;
    WizardAction action = WizardAction::Nothing;
    std::string extractFolder;
    TempRemoval removal = TempRemoval::Ask;
    bool operator==(const WizardAnswers&) const = default;
};

// The setting a choice stands for, by the explicit table (the page's order is
// not the settings' order); anything unknown gives Nothing.
WizardAction WizardActionOf(DblClick click);
DblClick DblClickOf(WizardAction action);

WizardAnswers WizardLoadFromOptions(const Settings& settings);
void WizardStoreToOptions(const WizardAnswers& answers, Settings& settings);

}  // namespace kv
