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

LRESULT Button::reflected(UINT msg, WPARAM wp, LPARAM lp, bool& handled) {
    if (msg == WM_COMMAND && HIWORD(wp) == BN_CLICKED) {
        handled = true;
        click();
    }
    return Control::reflected(msg, wp, lp, handled);
}

TwoStateButton::TwoStateButton() { style_ |= WS_TABSTOP; }

void TwoStateButton::createParams(CreateArgs& args) {
    Control::createParams(args);
    args.className = "BUTTON";
    args.style |= buttonStyle();
}

void TwoStateButton::createWnd() {
    Control::createWnd();
    SendMessageA(hwnd(), BM_SETCHECK, mark_, 0);
}

void TwoStateButton::destroyWnd() {
    mark_ = checkMark();
    Control::destroyWnd();
}

UINT TwoStateButton::checkMark() const {
    if (!hwnd()) return mark_;
    return static_cast<UINT>(SendMessageA(hwnd(), BM_GETCHECK, 0, 0));
}

void TwoStateButton::setCheckMark(UINT mark) {
    mark_ = mark;
    if (hwnd()) SendMessageA(hwnd(), BM_SETCHECK, mark, 0);
}

LRESULT TwoStateButton::reflected(UINT msg, WPARAM wp, LPARAM lp, bool& handled) {
    if (msg == WM_COMMAND && HIWORD(wp) == BN_CLICKED) {
        handled = true;
        // An automatic box has changed its mark itself.
        mark_ = checkMark();
        click();
    }
    return Control::reflected(msg, wp, lp, handled);
}

UINT CheckBox::buttonStyle() const { return allowGrayed_ ? BS_AUTO3STATE : BS_AUTOCHECKBOX; }

void CheckBox::click() {
    if (onClick) onClick(*this);
}

void RadioButton::setChecked(bool c) {
    setCheckMark(c ? BST_CHECKED : BST_UNCHECKED);
    if (!c || !parent()) return;
    for (Control* sibling : parent()->children())
        if (auto* r = dynamic_cast<RadioButton*>(sibling); r && r != this && r->checked()) r->setChecked(false);
}

void RadioButton::click() {
    setChecked(true);
    if (onClick) onClick(*this);
}

void GroupBox::createParams(CreateArgs& args) {
    Control::createParams(args);
    args.className = "BUTTON";
    args.style |= BS_GROUPBOX;
}

LRESULT GroupBox::wndProc(UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_ERASEBKGND) {
        RECT r;
        GetClientRect(hwnd(), &r);
        paintParentBackground(reinterpret_cast<HDC>(wp), r);
        return 1;
    }
    return Control::wndProc(msg, wp, lp);
}

}  // namespace kv::ui
