#pragma once
// An invisible guard of its form's size: answers the size query with the
// sizes it holds and, without resizing allowed, keeps the border from moving.
#include "controls/small/SmallControlRules.h"
#include "ui/Form.h"

namespace kv::ui {

struct TMinMaxPoint {
    int X = 0;
    int Y = 0;
};

class TMinMax : public Component {
public:
    explicit TMinMax(Form& form);
    ~TMinMax() override;
    TMinMaxPoint MaxSize, MaxPosition, MinTrackSize, MaxTrackSize;
    unsigned Options() const { return options_; }
    void SetOptions(unsigned options);
    // Moves the guard to another form.
    void SetForm(Form& form);

private:
    void attach();
    void detach();
    bool onMessage(Form& form, UINT msg, WPARAM wp, LPARAM lp, LRESULT& result);
    void updateSystemMenu();

    Form* form_;
    unsigned options_ = opAllMinMax;
    ListenerRegistration listener_;
};

}  // namespace kv::ui
