#include "shell/settings/SettingsStore.h"

#include <utility>

#include "system/settings/SectionStore.h"

namespace kv {

Settings MakeInitialSettings(const PlatformDefaults& defaults) {
    Settings s;
    s.extractFolder = defaults.tempDir;
    s.catalogFolder = defaults.programDir;
    s.externalViewerPath = defaults.windowsDir + "\\NOTEPAD.EXE";
    for (int slot : {2, 5}) s.fonts[slot] = FontSlot{true, FontData{-15, 0, "Courier New"}};
    return s;
}

SettingsStore::SettingsStore(PlatformDefaults defaults)
    : defaults_(std::move(defaults)), settings_(MakeInitialSettings(defaults_)) {}

void SettingsStore::Load(const SectionStore&) {
    settings_ = MakeInitialSettings(defaults_);
    modified_ = true;
}

bool SettingsStore::Save(SectionStore&) { return false; }

}  // namespace kv
