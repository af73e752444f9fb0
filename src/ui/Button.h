#pragma once
// Push button, check box, radio button and group box.
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

// A button that keeps its check mark across re-creation of its window.
class TwoStateButton : public Control {
public:
    TwoStateButton();

protected:
    // The BUTTON style that makes the kind: check box, radio button.
    virtual UINT buttonStyle() const = 0;
    UINT checkMark() const;
    void setCheckMark(UINT mark);

    void createParams(CreateArgs& args) override;
    void createWnd() override;
    void destroyWnd() override;
    LRESULT reflected(UINT msg, WPARAM wp, LPARAM lp, bool& handled) override;

private:
    UINT mark_ = BST_UNCHECKED;
};

class CheckBox : public TwoStateButton {
public:
    void setAllowGrayed(bool allow) { allowGrayed_ = allow; }
    void setState(CheckState state) { setCheckMark(static_cast<UINT>(state)); }
    CheckState state() const { return static_cast<CheckState>(checkMark()); }
    bool checked() const { return state() == CheckState::Checked; }
    void setChecked(bool c) { setState(c ? CheckState::Checked : CheckState::Unchecked); }
    std::function<void(CheckBox& sender)> onClick;
    void click() override;

protected:
    UINT buttonStyle() const override;

private:
    bool allowGrayed_ = false;
};

// One of a group of choices; checking it clears the others of its parent.
class RadioButton : public TwoStateButton {
public:
    void setChecked(bool checked);
    bool checked() const { return checkMark() == BST_CHECKED; }
    std::function<void(RadioButton& sender)> onClick;
    void click() override;

protected:
    UINT buttonStyle() const override { return BS_RADIOBUTTON; }
};

// A frame with a caption around other controls; takes no focus. It fills its
// own inside: a parent that clips its children paints nothing there.
class GroupBox : public Control {
protected:
    void createParams(CreateArgs& args) override;
    LRESULT wndProc(UINT msg, WPARAM wp, LPARAM lp) override;
};

}  // namespace kv::ui
