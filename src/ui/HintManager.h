#pragma once
// The application's pop-up hints: follows the control under the mouse, runs
// the pauses on a timer of its own and shows the text through the current
// hint window class.
#include <windows.h>

#include <memory>

#include "ui/Component.h"
#include "ui/HintTimer.h"
#include "ui/HintWindow.h"
#include "ui/Timer.h"

namespace kv::ui {

class Application;
class Control;

class HintManager {
public:
    explicit HintManager(Application& app);
    HintManager(const HintManager&) = delete;
    HintManager& operator=(const HintManager&) = delete;

    // The mouse at a client point of c.
    void mouseMove(Control& c, POINT point);
    void mouseLeave(Control& c);
    // A click or a key: the hint goes until the mouse reaches another place.
    void cancel();
    // Hints off or suspended: the hint goes and no other comes.
    void reset();
    void suspend();
    void resume();
    bool suspended() const { return suspended_ > 0; }
    // Drops the hint window; the next hint makes one again.
    void dropWindow() { window_.reset(); }

    HintWindowClass windowClass() const { return class_; }
    void setWindowClass(HintWindowClass cls);
    HintWindow* window() const { return window_.get(); }
    Control* hintControl() const { return control_.get(); }

private:
    HintPauses pauses() const;
    bool hinted(const Control& c) const;
    void enter(Control& c, bool announce);
    void apply(HintTimer::Step step);
    void activate();

    Application& app_;
    HintTimer state_;
    Timer clock_;
    ComponentRef<Control> control_;
    POINT cursorPos_{};
    RECT cursorRect_{};
    HintWindowClass class_ = &defaultHintWindow;
    std::unique_ptr<HintWindow> window_;
    int suspended_ = 0;
};

}  // namespace kv::ui
