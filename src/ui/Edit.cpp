#include "ui/Edit.h"

namespace kv::ui {

Edit::Edit(bool multiLine) : multiLine_(multiLine) {
    style_ |= WS_TABSTOP;
    exStyle_ |= WS_EX_CLIENTEDGE;
}

void Edit::createParams(CreateArgs& args) {
    Control::createParams(args);
    args.className = "EDIT";
    args.style |= multiLine_ ? ES_MULTILINE | ES_WANTRETURN | ES_AUTOVSCROLL | WS_VSCROLL : ES_AUTOHSCROLL;
    if (digitsOnly_) args.style |= ES_NUMBER;
}

void Edit::createWnd() {
    Control::createWnd();
    SendMessageA(hwnd(), EM_SETREADONLY, readOnly_, 0);
    SendMessageA(hwnd(), EM_LIMITTEXT, static_cast<WPARAM>(maxLength_), 0);
}

void Edit::setReadOnly(bool readOnly) {
    readOnly_ = readOnly;
    if (hwnd()) SendMessageA(hwnd(), EM_SETREADONLY, readOnly, 0);
}

void Edit::setMaxLength(int length) {
    maxLength_ = length;
    if (hwnd()) SendMessageA(hwnd(), EM_LIMITTEXT, static_cast<WPARAM>(length), 0);
}

LRESULT Edit::reflected(UINT msg, WPARAM wp, LPARAM lp, bool& handled) {
    if (msg == WM_COMMAND && HIWORD(wp) == EN_CHANGE) {
        handled = true;
        if (onChange) onChange(*this);
    }
    return Control::reflected(msg, wp, lp, handled);
}

}  // namespace kv::ui
