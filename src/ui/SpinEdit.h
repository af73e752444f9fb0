#pragma once
// An edit for a whole number with up and down arrows at its right edge: the
// arrows and the arrow keys step the value by the increment within the range.
// The text stays the user's: a typed value is read (and clamped) on demand.
#include "ui/Edit.h"

namespace kv::ui {

class SpinEdit : public Edit {
public:
    SpinEdit();
    // Equal bounds switch the clamping off.
    void setRange(int minValue, int maxValue);
    int minValue() const { return min_; }
    int maxValue() const { return max_; }
    void setIncrement(int increment) { increment_ = increment; }
    int increment() const { return increment_; }
    // The text as a whole number within the range; the minimum when it is none.
    int value() const;
    void setValue(int value);
    // One step up (positive) or down (negative) of the increment.
    void step(int steps);

protected:
    void createParams(CreateArgs& args) override;
    void createWnd() override;
    LRESULT wndProc(UINT msg, WPARAM wp, LPARAM lp) override;

private:
    int clamp(long long value) const;
    void placeButton();

    int min_ = 0, max_ = 0, increment_ = 1;
    HWND button_ = nullptr;
};

}  // namespace kv::ui
