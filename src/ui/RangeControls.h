#pragma once
// Track bar and up-down: a position in a range, kept across re-creation.
#include <functional>

#include "ui/Control.h"

namespace kv::ui {

class TrackBar : public Control {
public:
    TrackBar();
    void setRange(int min, int max);
    void setPosition(int position);
    int position() const;
    // A selected range shown on the channel (re-creates the window).
    void setSelectionRange(bool enabled, int start = 0, int end = 0);
    std::function<void(TrackBar& sender)> onChange;

protected:
    void createParams(CreateArgs& args) override;
    void createWnd() override;
    void destroyWnd() override;
    LRESULT reflected(UINT msg, WPARAM wp, LPARAM lp, bool& handled) override;

private:
    int min_ = 0, max_ = 10, position_ = 0;
    bool selection_ = false;
    int selStart_ = 0, selEnd_ = 0;
};

class UpDown : public Control {
public:
    void setRange(int min, int max);
    void setPosition(int position);
    int position() const;
    std::function<void(UpDown& sender, int position)> onChange;

protected:
    void createParams(CreateArgs& args) override;
    void createWnd() override;
    void destroyWnd() override;
    LRESULT reflected(UINT msg, WPARAM wp, LPARAM lp, bool& handled) override;

private:
    int min_ = 0, max_ = 100, position_ = 0;
};

}  // namespace kv::ui
