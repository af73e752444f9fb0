#pragma once
// Single-line edit and multi-line memo.
#include <functional>

#include "ui/Control.h"

namespace kv::ui {

class Edit : public Control {
public:
    explicit Edit(bool multiLine = false);
    void setReadOnly(bool readOnly);
    void setMaxLength(int length);
    // Only digits can be typed (set before the window is made).
    void setDigitsOnly(bool digitsOnly) { digitsOnly_ = digitsOnly; }
    std::function<void(Edit& sender)> onChange;

protected:
    void createParams(CreateArgs& args) override;
    void createWnd() override;
    LRESULT reflected(UINT msg, WPARAM wp, LPARAM lp, bool& handled) override;

private:
    bool multiLine_;
    bool readOnly_ = false;
    int maxLength_ = 0;
    bool digitsOnly_ = false;
};

}  // namespace kv::ui
