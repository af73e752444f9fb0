#pragma once
// May the program close? Not while a disk scan runs. A running search is cancelled and waited for, then
// every modified catalog is offered for saving.
namespace kv {

inline constexpr int kSearchStopWaits = 200;
inline constexpr int kSearchStopWaitMs = 10;
inline constexpr const char* kSearchStuckCaption = "Search in progress";
inline constexpr const char* kSearchStuckText =
    "There is search in progress and it does not respond to cancel command.\r"
    "Please cancel the search manually and then exit the program.";

class CloseQueryHost {
public:
    virtual ~CloseQueryHost() = default;
    // A disk scan holds a half-built disk in a catalog: no close until it ends
    // (its Cancel is the way out).
    virtual bool scanRunning() { return false; }
    virtual bool searchRunning() = 0;
    virtual void cancelSearch() = 0;
    // One wait: pending messages (the worker's synchronised calls among them,
    // or it could never stop), then a sleep.
    virtual void waitBriefly(int ms) = 0;
    virtual void resetStatus() = 0;
    virtual void warnSearchStuck() = 0;
    // The save question for every modified catalog; true when the user
    // cancelled or a save did not complete.
    virtual bool saveQuestionCancelled() = 0;
    // Undo what the question left: one display lock level, the commands.
    virtual void afterCancelledQuestion() = 0;
};

class CloseQuery {
public:
    // The answer to one close request. The waits process messages, so a second
    // request (Alt+F4 again) can arrive meanwhile: it is refused, and the
    // first one decides.
    bool CanClose(CloseQueryHost& host);
    bool inProgress() const { return inProgress_; }

private:
    bool run(CloseQueryHost& host);
    bool inProgress_ = false;
};

}  // namespace kv
