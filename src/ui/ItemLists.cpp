#include "ui/ItemLists.h"

#include <algorithm>

namespace kv::ui {

void TextListControl::fill() {
    for (const auto& s : items_) SendMessageA(hwnd(), messages_.add, 0, reinterpret_cast<LPARAM>(s.c_str()));
}

void TextListControl::createWnd() {
    Control::createWnd();
    fill();
    SendMessageA(hwnd(), messages_.setSelection, static_cast<WPARAM>(index_), 0);
}

void TextListControl::destroyWnd() {
    index_ = itemIndex();
    Control::destroyWnd();
}

void TextListControl::setItems(const std::vector<std::string>& items) {
    items_ = items;
    index_ = -1;
    if (!hwnd()) return;
    SendMessageA(hwnd(), messages_.reset, 0, 0);
    fill();
}

void TextListControl::setItemIndex(int index) {
    index_ = index;
    if (hwnd()) SendMessageA(hwnd(), messages_.setSelection, static_cast<WPARAM>(index), 0);
}

int TextListControl::itemIndex() const {
    return hwnd() ? static_cast<int>(SendMessageA(hwnd(), messages_.getSelection, 0, 0)) : index_;
}

ComboBox::ComboBox(bool dropDownList)
    : TextListControl({CB_ADDSTRING, CB_RESETCONTENT, CB_SETCURSEL, CB_GETCURSEL}), list_(dropDownList) {
    style_ |= WS_TABSTOP | WS_VSCROLL;
}

void ComboBox::createParams(CreateArgs& args) {
    Control::createParams(args);
    args.className = "COMBOBOX";
    args.style |= list_ ? CBS_DROPDOWNLIST : CBS_DROPDOWN | CBS_AUTOHSCROLL;
    // The height includes the dropped-down list.
    args.height = std::max(args.height, 200);
}

LRESULT ComboBox::reflected(UINT msg, WPARAM wp, LPARAM, bool& handled) {
    if (msg == WM_COMMAND && HIWORD(wp) == CBN_SELCHANGE) {
        handled = true;
        if (onChange) onChange(*this);
    }
    return 0;
}

ListBox::ListBox() : TextListControl({LB_ADDSTRING, LB_RESETCONTENT, LB_SETCURSEL, LB_GETCURSEL}) {
    style_ |= WS_TABSTOP | WS_VSCROLL;
    exStyle_ |= WS_EX_CLIENTEDGE;
}

void ListBox::createParams(CreateArgs& args) {
    Control::createParams(args);
    args.className = "LISTBOX";
    args.style |= LBS_NOTIFY | LBS_NOINTEGRALHEIGHT;
}

LRESULT ListBox::reflected(UINT msg, WPARAM wp, LPARAM, bool& handled) {
    if (msg != WM_COMMAND) return 0;
    if (HIWORD(wp) == LBN_SELCHANGE) {
        handled = true;
        if (onClick) onClick(*this);
    } else if (HIWORD(wp) == LBN_DBLCLK) {
        handled = true;
        if (onDblClickItem) onDblClickItem(*this);
    }
    return 0;
}

}  // namespace kv::ui
