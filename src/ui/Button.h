#pragma once
// Push button and check box.
#include <functional>

#include "ui/Control.h"

namespace kv::ui {

class Button : public Control {
public:
    Button();
    // Clicking also sets this modal result on the button's form.
    int modalResult = 0;
    std::function<void(Button& sender)> onClick;
    void click() override;
    // The default button of its form has the heavy frame.
    void setDefault(bool isDefault);

protected:
    void createParams(CreateArgs& args) override;
    LRESULT reflected(UINT msg, WPARAM wp, LPARAM lp, bool& handled) override;

private:
    bool default_ = false;
};

enum class CheckState { Unchecked = BST_UNCHECKED, Checked = BST_CHECKED, Grayed = BST_INDETERMINATE };

class CheckBox : public Control {
public:
    CheckBox();
    void setAllowGrayed(bool allow) { allowGrayed_ = allow; }
    void setState(CheckState state);
    CheckState state() const;
    bool checked() const { return state() == CheckState::Checked; }
    void setChecked(bool c) { setState(c ? CheckState::Checked : CheckState::Unchecked); }
    std::function<void(CheckBox& sender)> onClick;
    void click() override;

protected:
    void createParams(CreateArgs& args) override;
    void createWnd() override;
    void destroyWnd() override;
    LRESULT reflected(UINT msg, WPARAM wp, LPARAM lp, bool& handled) override;

private:
    bool allowGrayed_ = false;
    CheckState state_ = CheckState::Unchecked;
};

// One of a group of choices; checking it clears the others of its parent.
class RadioButton : public Control {
public:
    RadioButton();
    void setChecked(bool checked);
    bool checked() const;
    std::function<void(RadioButton& sender)> onClick;
    void click() override;

protected:
    void createParams(CreateArgs& args) override;
    void createWnd() override;
    void destroyWnd() override;
    LRESULT reflected(UINT msg, WPARAM wp, LPARAM lp, bool& handled) override;

private:
    bool checked_ = false;
};

// A frame with a caption around other controls; takes no focus.
class GroupBox : public Control {
protected:
    void createParams(CreateArgs& args) override;
};

}  // namespace kv::ui
