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
    std::function<void(Edit& sender)> onChange;

protected:
    void createParams(CreateArgs& args) override;
    void createWnd() override;
    LRESULT reflected(UINT msg, WPARAM wp, LPARAM lp, bool& handled) override;

private:
    bool multiLine_;
    bool readOnly_ = false;
    int maxLength_ = 0;
};

}  // namespace kv::ui
