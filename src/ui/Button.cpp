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

}  // namespace kv::ui
