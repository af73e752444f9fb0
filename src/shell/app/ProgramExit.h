#pragma once
// What is left to do once the main window is gone: the settings are saved when
// modified (a key that cannot be written is reported), then the files
// extracted to the temporary folder are handled as the temp-file option says.
namespace kv {

class SectionStore;
class SettingsStore;
namespace arc {
class TempExtraction;
}
namespace ui {
class UserPrompt;
}

void FinishProgram(SettingsStore& settings, SectionStore& programStore, arc::TempExtraction& extraction,
                   ui::UserPrompt& prompt);

}  // namespace kv
