#include "shell/settings/SettingsSave.h"

#include "ui/UserPrompt.h"

namespace kv {

void TellSettingsSaveResult(SettingsSaveResult result, ui::UserPrompt& prompt) {
    if (result != SettingsSaveResult::KeyFailed)
        return;
    prompt.ask({"An error has occured while writing to registry!\n"
                "Please check your windows registry, there may be more serious problem involved.",
                "Error saving config", ui::PromptButtons::Ok, ui::PromptIcon::Stop});
}

SettingsSaveResult SaveSettings(SettingsStore& settings, SectionStore& store, ui::UserPrompt& prompt) {
    const SettingsSaveResult result = settings.Save(store);
    TellSettingsSaveResult(result, prompt);
    return result;
}

}  // namespace kv
