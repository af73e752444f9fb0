#include "shell/app/AutoSave.h"

namespace kv {

AutoSaveSchedule::TimerSetting AutoSaveSchedule::ApplyOptions(bool autoSaveOn, int minutes) {
    TimerSetting setting;
    const std::uint32_t interval = static_cast<std::uint32_t>(minutes < 1 ? 1 : minutes) * 60000u;
    if (interval != interval_) {
        interval_ = interval;
        setting.changed = true;
    }
    setting.intervalMs = interval_;
    setting.enabled = autoSaveOn;
    pending_ = false;
    return setting;
}

void RunAutoSave(AutoSaveTargets& targets) {
    targets.showStatus(kAutoSaveStatus);
    struct StatusReset {
        AutoSaveTargets& targets;
        ~StatusReset() { targets.showStatus(""); }
    } reset{targets};
    // The count is read each round: a save may not close catalogs, but the
    // list is the window's and checked rather than trusted.
    for (std::size_t i = 0; i < targets.count(); ++i) {
        if (targets.modified(i) && targets.named(i))
            targets.save(i);
    }
}

}  // namespace kv
