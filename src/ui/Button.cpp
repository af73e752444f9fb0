#include "ui/Button.h"

#include "ui/Form.h"

namespace kv::ui {

namespace {

Form* formOf(const Control& c) { return dynamic_cast<Form*>(Wnd::fromHandle(GetAncestor(c.hwnd(), GA_ROOT))); }

}  // namespace

Button::Button() { style_ |= WS_TABSTOP; }

void Button::createParams(CreateArgs& args) {
    Control::createParams(args);
    args.className = "BUTTON";
    args.style |= default_ ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON;
}

void Button::setDefault(bool isDefault) {
    default_ = isDefault;
    if (hwnd()) SendMessageA(hwnd(), BM_SETSTYLE, isDefault ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON, TRUE);
}

void Button::click() {
    if (modalResult)
        if (Form* f = formOf(*this)) f->setModalResult(modalResult);
    if (onClick) onClick(*this);
}

LRESULT Button::reflected(UINT msg, WPARAM wp, LPARAM, bool& handled) {
    if (msg == WM_COMMAND && HIWORD(wp) == BN_CLICKED) {
        handled = true;
        click();
    }
    return 0;
}

CheckBox::CheckBox() { style_ |= WS_TABSTOP; }

void CheckBox::createParams(CreateArgs& args) {
    Control::createParams(args);
    args.className = "BUTTON";
    args.style |= allowGrayed_ ? BS_AUTO3STATE : BS_AUTOCHECKBOX;
}

void CheckBox::createWnd() {
    Control::createWnd();
    SendMessageA(hwnd(), BM_SETCHECK, static_cast<WPARAM>(state_), 0);
}

void CheckBox::destroyWnd() {
    state_ = state();
    Control::destroyWnd();
}

void CheckBox::setState(CheckState s) {
    state_ = s;
    if (hwnd()) SendMessageA(hwnd(), BM_SETCHECK, static_cast<WPARAM>(s), 0);
}

CheckState CheckBox::state() const {
    if (!hwnd()) return state_;
    return static_cast<CheckState>(SendMessageA(hwnd(), BM_GETCHECK, 0, 0));
}

void CheckBox::click() {
    if (onClick) onClick(*this);
}

LRESULT CheckBox::reflected(UINT msg, WPARAM wp, LPARAM, bool& handled) {
    if (msg == WM_COMMAND && HIWORD(wp) == BN_CLICKED) {
        handled = true;
        state_ = state();
        click();
    }
    return 0;
}

RadioButton::RadioButton() { style_ |= WS_TABSTOP; }

void RadioButton::createParams(CreateArgs& args) {
    Control::createParams(args);
    args.className = "BUTTON";
    args.style |= BS_RADIOBUTTON;
}

void RadioButton::createWnd() {
    Control::createWnd();
    SendMessageA(hwnd(), BM_SETCHECK, checked_ ? BST_CHECKED : BST_UNCHECKED, 0);
}

void RadioButton::destroyWnd() {
    checked_ = checked();
    Control::destroyWnd();
}

void RadioButton::setChecked(bool c) {
    checked_ = c;
    if (hwnd()) SendMessageA(hwnd(), BM_SETCHECK, c ? BST_CHECKED : BST_UNCHECKED, 0);
    if (!c || !parent()) return;
    for (Control* sibling : parent()->children())
        if (auto* r = dynamic_cast<RadioButton*>(sibling); r && r != this && r->checked()) r->setChecked(false);
}

bool RadioButton::checked() const {
    return hwnd() ? SendMessageA(hwnd(), BM_GETCHECK, 0, 0) == BST_CHECKED : checked_;
}

void RadioButton::click() {
    setChecked(true);
    if (onClick) onClick(*this);
}

LRESULT RadioButton::reflected(UINT msg, WPARAM wp, LPARAM, bool& handled) {
    if (msg == WM_COMMAND && HIWORD(wp) == BN_CLICKED) {
        handled = true;
        click();
    }
    return 0;
}

void GroupBox::createParams(CreateArgs& args) {
    Control::createParams(args);
    args.className = "BUTTON";
    args.style |= BS_GROUPBOX;
}

}  // namespace kv::ui
