#include "shell/app/ProgramExit.h"

#include "archive/TempExtraction.h"
#include "shell/app/ProgramValues.h"
#include "shell/settings/SettingsSave.h"
#include "ui/UserPrompt.h"

namespace kv {

void FinishProgram(SettingsStore& settings, SectionStore& programStore, arc::TempExtraction& extraction,
                   ui::UserPrompt& prompt) {
    // The user's changes would go without a word otherwise.
    if (settings.Modified())
        SaveSettings(settings, programStore, prompt);
    // Only files inside the extraction folder are ever deleted.
    if (extraction.TempFolder.empty())
        extraction.TempFolder = settings.Get().extractFolder;
    extraction.CleanupExtractedFiles(TempRemovalMode(settings.Get().tempRemoval));
}

}  // namespace kv
