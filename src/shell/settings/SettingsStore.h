#pragma once
// The one settings record of the program and its registry form. Main thread
// only: worker threads get what they need captured before they start.
#include <cstddef>
#include <span>

#include "shell/settings/Settings.h"
#include "shell/settings/ToolbarLayout.h"

namespace kv {

class SectionStore;

enum class SettingsSaveResult { Saved, ValueFailed, KeyFailed };

// The record as a first start has it (the program's key missing).
Settings MakeInitialSettings(const PlatformDefaults& defaults);

class SettingsStore {
public:
    explicit SettingsStore(PlatformDefaults defaults);

    const Settings& Get() const { return settings_; }
    // Every change outside a load goes through here, so it is saved later.
    template <class Edit>
    void Update(Edit&& edit) {
        edit(settings_);
        modified_ = true;
    }
    void Replace(const Settings& settings) {
        settings_ = settings;
        modified_ = true;
    }

    // Reads the program's values from the store's root section, each value on
    // its own: a bad one gets its default and never stops the rest. The flag
    // is set when the section is missing or a value needs writing back.
    void Load(const SectionStore& store);
    // Writes every value, "RevisionMarker" last. A value that could not be
    // written is skipped (the others still are) and keeps the modified flag
    // for the next try. A section that cannot be opened gets nothing written.
    SettingsSaveResult Save(SectionStore& store);

    // The slot's custom font, or the system's font for it.
    FontData GetFontData(std::size_t slot) const;
    // Makes the stored toolbar layout fit the main toolbar once it exists.
    // Not an edit: the flag stays as the load left it.
    void FitToolbarLayout(std::span<const ToolbarControl> controls);

    bool Modified() const { return modified_; }
    void SetModified(bool modified) { modified_ = modified; }
    bool wizardRequested = false;
    const PlatformDefaults& Defaults() const { return defaults_; }

private:
    PlatformDefaults defaults_;
    Settings settings_;
    bool modified_ = false;
};

}  // namespace kv
