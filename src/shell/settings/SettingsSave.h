#pragma once
// Writing the settings where the user learns of a key that cannot be written:
// at exit, by the settings dialog and by the setup wizard.
#include "shell/settings/SettingsStore.h"

namespace kv {

namespace ui {
class UserPrompt;
}

// Tells the user when the program's key could not be opened or created; a
// single value that failed keeps the modified flag and is written next time.
void TellSettingsSaveResult(SettingsSaveResult result, ui::UserPrompt& prompt);
SettingsSaveResult SaveSettings(SettingsStore& settings, SectionStore& store, ui::UserPrompt& prompt);

}  // namespace kv
