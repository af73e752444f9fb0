#pragma once
// When the pop-up hint shows and hides. Events come in (the mouse entered a
// new place, the timer ran out, a click or key); each answers what to do with
// the hint window and the one timer, so the pauses run without any window.
namespace kv::ui {

struct HintPauses {
    int pause = 500;       // before a hint shows; negative: at once
    int shortPause = 50;   // before the next one while a hint shows or just showed
    int hidePause = 2500;  // before a shown hint hides; negative: never
};

class HintTimer {
public:
    struct Step {
        bool show = false;  // ask for the hint now, then report through shown()
        bool hide = false;  // hide the hint window
        int timer = kStop;  // arm the timer for that many ms, or kStop / kKeep
    };
    static constexpr int kStop = -1;
    static constexpr int kKeep = -2;

    // The mouse went to a new place: another control, or out of the current
    // hint's rectangle. hinted: the place may show a hint.
    Step enter(const HintPauses& p, bool hinted);
    // The mouse left every hinted place (or the program).
    Step leave(const HintPauses& p) { return enter(p, false); }
    Step timerExpired();
    // After a show step: whether the hint is on screen, and its hide pause.
    Step shown(bool visible, int hidePause);
    // A click or a key: the hint goes and stays away until the next place.
    Step cancel();
    // Hints switched off or suspended: everything stops.
    Step reset();

    bool showing() const { return state_ == State::Showing; }
    bool waiting() const { return state_ == State::Waiting; }

private:
    // Lingering: a hint showed a moment ago; the next place gets the short pause.
    enum class State { Idle, Waiting, Showing, Done, Lingering };
    State state_ = State::Idle;
    bool recent_ = false;  // the wait under way follows a hint that showed
};

}  // namespace kv::ui
