#include "shell/setup/OptionsSession.h"

#include <utility>

namespace kv {

OptionsSession::OptionsSession(SettingsStore& store, SectionStore& registry,
                               std::function<void(const Settings&)> apply)
    : store_(store), registry_(registry), apply_(std::move(apply)), draft_(store.Get()) {}

SettingsSaveResult OptionsSession::Begin() {
    const SettingsSaveResult saved = store_.Modified() ? store_.Save(registry_) : SettingsSaveResult::Saved;
    draft_ = store_.Get();
    modified_ = false;
    wizardRequested = false;
    return saved;
}

void OptionsSession::SetDraft(const Settings& settings) {
    if (settings == draft_)
        return;
    draft_ = settings;
    modified_ = true;
}

bool OptionsSession::Ok() {
    if (!modified_)
        return false;
    store_.Replace(draft_);
    return true;
}

SettingsSaveResult OptionsSession::Apply() {
    store_.Replace(draft_);
    if (apply_)
        apply_(store_.Get());
    modified_ = false;
    return store_.Save(registry_);
}

void OptionsSession::Cancel() {
    // The store holds what was accepted: the draft goes.
    draft_ = store_.Get();
    modified_ = false;
}

}  // namespace kv
