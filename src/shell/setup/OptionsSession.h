#pragma once
// One showing of the settings dialog over the settings store: the dialog
// edits a draft; OK hands it to the store (written at the next showing or at
// exit), Apply also applies and writes it at once, Cancel drops the edits made
// since the dialog showed or since the last Apply.
#include <functional>

#include "shell/settings/SettingsStore.h"

namespace kv {

class SectionStore;

class OptionsSession {
public:
    // apply pushes settings into the running program.
    OptionsSession(SettingsStore& store, SectionStore& registry, std::function<void(const Settings&)> apply);

    // Writes what an earlier OK left unwritten, so Cancel has a state to
    // return to, and starts a draft from the store.
    SettingsSaveResult Begin();
    const Settings& draft() const { return draft_; }
    // Every edit of a control; sets the modified flag.
    template <class Change>
    void Edit(Change&& edit) {
        edit(draft_);
        modified_ = true;
    }
    // The controls' state as a whole: modified only when it differs.
    void SetDraft(const Settings& settings);
    // The draft as the controls first show it (a stored value made to fit): no edit.
    void ResetDraft(const Settings& settings) { draft_ = settings; }
    bool modified() const { return modified_; }

    // True when the store took a changed draft (the caller then applies it).
    bool Ok();
    // False when a value could not be written (the store keeps it to write later).
    SettingsSaveResult Apply();
    void Cancel();

    bool wizardRequested = false;

private:
    SettingsStore& store_;
    SectionStore& registry_;
    std::function<void(const Settings&)> apply_;
    Settings draft_;
    bool modified_ = false;
};

}  // namespace kv
