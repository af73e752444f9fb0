#pragma once
// A timer that calls onTimer on the main thread, behind the exception barrier.
#include <functional>

#include "ui/Wnd.h"

namespace kv::ui {

class Timer : public Wnd {
public:
    Timer() = default;
    ~Timer() override;
    void setInterval(UINT ms);
    UINT interval() const { return interval_; }
    void setEnabled(bool enabled);
    bool enabled() const { return enabled_; }
    std::function<void(Timer& sender)> onTimer;

protected:
    LRESULT wndProc(UINT msg, WPARAM wp, LPARAM lp) override;

private:
    void update();
    UINT interval_ = 1000;
    bool enabled_ = false;
};

}  // namespace kv::ui
