#include "ui/HintTimer.h"

#include <algorithm>

namespace kv::ui {

HintTimer::Step HintTimer::enter(const HintPauses& p, bool hinted) {
    bool chain = state_ == State::Showing || state_ == State::Lingering || (state_ == State::Waiting && recent_);
    Step s;
    s.hide = state_ == State::Showing;
    if (hinted) {
        state_ = State::Waiting;
        recent_ = chain;
        s.timer = std::max(0, chain ? p.shortPause : p.pause);
    } else if (chain) {
        // Gaps between buttons are short; crossing one keeps the short pause.
        state_ = State::Lingering;
        recent_ = false;
        s.timer = std::max(0, p.pause);
    } else {
        state_ = State::Idle;
        recent_ = false;
    }
    return s;
}

HintTimer::Step HintTimer::timerExpired() {
    Step s;
    switch (state_) {
    case State::Waiting:
        state_ = State::Showing;
        s.show = true;
        break;
    case State::Showing:
        state_ = State::Done;
        s.hide = true;
        break;
    case State::Lingering:
        state_ = State::Idle;
        break;
    case State::Idle:
    case State::Done:
        break;
    }
    return s;
}

HintTimer::Step HintTimer::shown(bool visible, int hidePause) {
    Step s;
    // Something else happened while the hint was being asked for; it decided.
    if (state_ != State::Showing) {
        s.hide = visible;
        s.timer = kKeep;
        return s;
    }
    if (visible) {
        s.timer = hidePause < 0 ? kStop : hidePause;
    } else {
        state_ = State::Done;
    }
    return s;
}

HintTimer::Step HintTimer::cancel() {
    Step s;
    s.hide = state_ == State::Showing;
    state_ = state_ == State::Idle || state_ == State::Lingering ? State::Idle : State::Done;
    recent_ = false;
    return s;
}

HintTimer::Step HintTimer::reset() {
    Step s;
    s.hide = state_ == State::Showing;
    state_ = State::Idle;
    recent_ = false;
    return s;
}

}  // namespace kv::ui
