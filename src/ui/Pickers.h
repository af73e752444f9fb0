#pragma once
// Date and time pickers and the animation control.
#include <windows.h>

#include <functional>

#include "ui/Control.h"

namespace kv::ui {

class DateTimePicker : public Control {
public:
    explicit DateTimePicker(bool timeOnly = false);
    void setTime(const SYSTEMTIME& t);
    SYSTEMTIME time() const;
    std::function<void(DateTimePicker& sender)> onChange;

protected:
    void createParams(CreateArgs& args) override;
    void createWnd() override;
    void destroyWnd() override;
    LRESULT reflected(UINT msg, WPARAM wp, LPARAM lp, bool& handled) override;

private:
    bool timeOnly_;
    SYSTEMTIME time_{};
};

// Plays an AVI resource (for instance the copy animation) while work runs.
class Animation : public Control {
public:
    void setResource(int id) { resource_ = id; }
    bool play();
    void stop();

protected:
    void createParams(CreateArgs& args) override;

private:
    int resource_ = 0;
};

}  // namespace kv::ui
