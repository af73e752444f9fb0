#include "ui/HintTimer.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>

namespace {

using kv::ui::HintPauses;
using kv::ui::HintTimer;

// Drives the machine with a fake clock. Script tokens: H enter a hinted place,
// G enter a place without hints, C click, R reset, V veto the hints from now
// on, wN let N ms pass. The log lists "time show" and "time hide".
class Sim {
public:
    explicit Sim(HintPauses p) : pauses_(p) {}

    std::string run(const std::string& script) {
        std::istringstream in(script);
        std::string tok;
        while (in >> tok) {
            switch (tok[0]) {
            case 'H': apply(timer_.enter(pauses_, true)); break;
            case 'G': apply(timer_.enter(pauses_, false)); break;
            case 'C': apply(timer_.cancel()); break;
            case 'R': apply(timer_.reset()); break;
            case 'V': veto_ = true; break;
            case 'w': wait(std::stoi(tok.substr(1))); break;
            }
        }
        return log_.str();
    }

private:
    void apply(HintTimer::Step s) {
        if (s.hide && visible_) note("hide");
        if (s.hide) visible_ = false;
        if (s.timer != HintTimer::kKeep) deadline_ = s.timer < 0 ? -1 : now_ + s.timer;
        if (s.show) {
            visible_ = !veto_;
            if (visible_) note("show");
            apply(timer_.shown(visible_, pauses_.hidePause));
        }
    }
    void wait(int ms) {
        int end = now_ + ms;
        while (deadline_ >= 0 && deadline_ <= end) {
            now_ = deadline_;
            deadline_ = -1;
            apply(timer_.timerExpired());
        }
        now_ = end;
    }
    void note(const char* what) { log_ << now_ << ' ' << what << ';'; }

    HintPauses pauses_;
    HintTimer timer_;
    int now_ = 0;
    int deadline_ = -1;
    bool visible_ = false;
    bool veto_ = false;
    std::ostringstream log_;
};

TEST(HintTimerTest, PausesBetweenPlacesClicksAndVetoes) {
    struct Case {
        const char* what;
        const char* script;
        const char* log;
    };
    const Case cases[] = {
        {"shows after the pause, hides after the hide pause", "H w499 w1 w5000", "500 show;3000 hide;"},
        {"moving on while one shows: the short pause", "H w600 H w49 w1", "500 show;600 hide;650 show;"},
        {"a quick chain keeps the short pause", "H w600 H w20 H w50", "500 show;600 hide;670 show;"},
        {"a gap shorter than the pause keeps it short", "H w600 G w300 H w50", "500 show;600 hide;950 show;"},
        {"a longer gap starts over", "H w600 G w500 H w50 w450", "500 show;600 hide;1600 show;"},
        {"leaving before the pause shows nothing", "H w400 G w2000", ""},
        {"a click before the hint: none for this place", "H w100 C w5000", ""},
        {"a click hides it, the next place waits fully", "H w600 C H w50 w450", "500 show;600 hide;1100 show;"},
        {"after the hide pause the next place waits fully", "H w3100 H w50 w450", "500 show;3000 hide;3600 show;"},
        {"a veto shows nothing and the next place waits fully", "V H w600 H w5000", ""},
        {"reset stops everything", "H w600 R w5000", "500 show;600 hide;"},
        {"the same place again restarts the wait", "H w400 H w400 w100", "900 show;"},
    };
    for (const Case& c : cases) EXPECT_EQ(Sim(HintPauses{}).run(c.script), c.log) << c.what;
}

TEST(HintTimerTest, NegativePausesShowAtOnceAndNeverHide) {
    EXPECT_EQ(Sim(HintPauses{-1, -1, -1}).run("H w0 w1000000"), "0 show;");
    EXPECT_EQ(Sim(HintPauses{800, 50, 0}).run("H w800 w1"), "800 show;800 hide;");
}

}  // namespace
