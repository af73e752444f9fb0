#include "shell/app/ProgramExit.h"

#include "archive/TempExtraction.h"
#include "shell/app/ProgramValues.h"
#include "shell/settings/SettingsStore.h"

namespace kv {

void FinishProgram(SettingsStore& settings, SectionStore& programStore, arc::TempExtraction& extraction) {
    if (settings.Modified())
        settings.Save(programStore);
    // Only files inside the extraction folder are ever deleted.
    if (extraction.TempFolder.empty())
        extraction.TempFolder = settings.Get().extractFolder;
    extraction.CleanupExtractedFiles(TempRemovalMode(settings.Get().tempRemoval));
}

}  // namespace kv
