#pragma once
// What the main window does when the message queue runs empty: the first time
// it finishes start-up, every later time it catches up on deferred work. The
// steps themselves belong to the window; this file fixes their order.
#include <string>
#include <vector>

namespace kv {

// The tool windows whose status updates wait for an idle tick, in the order
// they are updated.
enum class StatusWindow { UserList, Search, Compare };

// Splash texts of the first tick.
inline constexpr const char* kSplashOpeningListed = "Opening listed catalogs...";
inline constexpr const char* kSplashAutoloading = "Autoloading catalogs...";
inline constexpr const char* kSplashDone = "Done.";
// Interval that closes the splash at once.
inline constexpr int kSplashCloseNow = 1;
// UpdateCommands scopes: everything, and the item list's commands.
inline constexpr int kUpdateAllCommands = 255;
inline constexpr int kUpdateListCommands = 2;

class IdleSteps {
public:
    virtual ~IdleSteps() = default;

    // First tick.
    virtual bool toolbarFloating() = 0;
    virtual void reloadToolbarPositions() = 0;
    virtual void installHintHandlers() = 0;
    virtual std::vector<std::string> commandLineCatalogs() = 0;
    virtual void requestOpenCatalogs(const std::vector<std::string>& names) = 0;
    virtual bool autoloadOn() = 0;
    virtual std::vector<std::string> autoloadList() = 0;
    virtual bool anyCatalogOpen() = 0;
    virtual bool splashExists() = 0;
    virtual void setSplashText(const std::string& text) = 0;
    virtual void setSplashInterval(int ms) = 0;
    virtual bool markerFound() = 0;
    virtual bool tipsOn() = 0;
    virtual void runSetupWizard() = 0;
    virtual void openTips() = 0;
    virtual void updateCommands(int scope) = 0;

    // Later ticks.
    // True when the autosave timer armed a save that may run now.
    virtual bool autoSaveDue() = 0;
    // Restarts the timer and clears the pending save.
    virtual void applyAutoSaveOptions() = 0;
    virtual void runAutoSave() = 0;
    virtual void resetLockCount() = 0;
    virtual bool refreshPending() = 0;
    // Stops the list-update timer and clears the pending refresh.
    virtual void endRefresh() = 0;
    virtual bool listHasFocusedRow() = 0;
    virtual void updateStatusBar() = 0;
    // Each starts a drag the mouse armed, if any, and clears it.
    virtual void runTreeDrag() = 0;
    virtual void runListDrag() = 0;
    // The window exists and flagged a pending status refresh.
    virtual bool statusRefreshPending(StatusWindow window) = 0;
    virtual void updateStatus(StatusWindow window) = 0;
};

// Runs one idle tick: the first one the first time, afterwards later ones.
class IdleSequence {
public:
    void RunIdle(IdleSteps& steps);
    bool firstIdle() const { return firstIdle_; }

private:
    void runFirst(IdleSteps& steps);
    void runLater(IdleSteps& steps);

    bool firstIdle_ = true;
};

}  // namespace kv
