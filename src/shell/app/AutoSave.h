#pragma once
// Autosave: the timer only arms a pending save; the main loop's idle tick runs
// it when nothing else is touching the catalogs.
#include <cstddef>
#include <cstdint>
#include <string>

namespace kv {

inline constexpr const char* kAutoSaveStatus = "Starting AutoSave...";

// What keeps an armed autosave waiting. A save during a search races the
// search worker over the records; one inside a modal window would write edits
// the window may still cancel.
struct AutoSaveBlockers {
    bool searchRunning = false;
    bool modalActive = false;
    bool progressShown = false;
    bool saveRunning = false;
    bool any() const { return searchRunning || modalActive || progressShown || saveRunning; }
};

class AutoSaveSchedule {
public:
    // The timer's event: nothing but arming.
    void TimerTimeout() { pending_ = true; }
    bool pending() const { return pending_; }
    // Armed and nothing blocks it; a blocked save stays armed for a later tick.
    bool Due(const AutoSaveBlockers& blockers) const { return pending_ && !blockers.any(); }

    struct TimerSetting {
        bool changed = false;     // a new interval must be set on the timer
        std::uint32_t intervalMs = 0;
        bool enabled = false;
    };
    // Takes the options in and disarms the pending save.
    TimerSetting ApplyOptions(bool autoSaveOn, int minutes);
    std::uint32_t interval() const { return interval_; }

private:
    bool pending_ = false;
    std::uint32_t interval_ = 0;
};

// The open catalogs as the autosave sees them, in tree order.
class AutoSaveTargets {
public:
    virtual ~AutoSaveTargets() = default;
    virtual std::size_t count() = 0;
    virtual bool modified(std::size_t index) = 0;
    // The catalog was saved or opened from a file (it has a FileName).
    virtual bool named(std::size_t index) = 0;
    // Saves in place; may throw.
    virtual void save(std::size_t index) = 0;
    // A busy text; empty resets the status bar.
    virtual void showStatus(const std::string& text) = 0;
};

// Saves every modified catalog that has a file. One never saved is left for
// the user: a Save dialog appearing out of nowhere every few minutes is worse.
// The status is reset even when a save throws (the error goes on up).
void RunAutoSave(AutoSaveTargets& targets);

}  // namespace kv
