#pragma once
// Progress bar with a 32-bit range.
#include "ui/Control.h"

namespace kv::ui {

class ProgressBar : public Control {
public:
    void setRange(int min, int max);
    void setPosition(int position);
    int position() const;
    int min() const { return min_; }
    int max() const { return max_; }

protected:
    void createParams(CreateArgs& args) override;
    void createWnd() override;

private:
    int min_ = 0;
    int max_ = 100;
    int position_ = 0;
};

}  // namespace kv::ui
