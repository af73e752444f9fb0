#include "ui/ItemLists.h"

#include <algorithm>
#include <numeric>
#include <stdexcept>

namespace kv::ui {

namespace {
bool lessText(const std::string& a, const std::string& b) { return lstrcmpiA(a.c_str(), b.c_str()) < 0; }
}  // namespace

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
    objects_.assign(items_.size(), 0);
    if (sorted_) std::stable_sort(items_.begin(), items_.end(), lessText);
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

void TextListControl::checkIndex(int index) const {
    if (index < 0 || index >= count()) throw std::out_of_range("list index out of bounds");
}

int TextListControl::addItem(const std::string& text, ItemObject object) {
    int at = count();
    if (sorted_) at = static_cast<int>(std::upper_bound(items_.begin(), items_.end(), text, lessText) - items_.begin());
    items_.insert(items_.begin() + at, text);
    objects_.insert(objects_.begin() + at, object);
    if (hwnd()) SendMessageA(hwnd(), messages_.insert, static_cast<WPARAM>(at), reinterpret_cast<LPARAM>(text.c_str()));
    else if (index_ >= at) ++index_;
    return at;
}

void TextListControl::insertItem(int index, const std::string& text, ItemObject object) {
    if (sorted_) throw std::logic_error("cannot insert at a place in a sorted list");
    if (index < 0 || index > count()) throw std::out_of_range("list index out of bounds");
    items_.insert(items_.begin() + index, text);
    objects_.insert(objects_.begin() + index, object);
    if (hwnd())
        SendMessageA(hwnd(), messages_.insert, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text.c_str()));
    else if (index_ >= index) ++index_;
}

void TextListControl::setItemText(int index, const std::string& text) {
    checkIndex(index);
    if (sorted_) throw std::logic_error("cannot rename in place in a sorted list");
    const int selected = itemIndex();
    items_[static_cast<size_t>(index)] = text;
    if (!hwnd()) return;
    SendMessageA(hwnd(), messages_.remove, static_cast<WPARAM>(index), 0);
    SendMessageA(hwnd(), messages_.insert, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text.c_str()));
    if (selected == index) SendMessageA(hwnd(), messages_.setSelection, static_cast<WPARAM>(index), 0);
}

void TextListControl::deleteItem(int index) {
    checkIndex(index);
    items_.erase(items_.begin() + index);
    objects_.erase(objects_.begin() + index);
    if (hwnd()) SendMessageA(hwnd(), messages_.remove, static_cast<WPARAM>(index), 0);
    else if (index_ == index) index_ = -1;
    else if (index_ > index) --index_;
}

int TextListControl::indexOf(const std::string& text) const {
    for (int i = 0; i < count(); ++i)
        if (lstrcmpiA(items_[static_cast<size_t>(i)].c_str(), text.c_str()) == 0) return i;
    return -1;
}

int TextListControl::indexOfObject(ItemObject object) const {
    auto it = std::find(objects_.begin(), objects_.end(), object);
    return it == objects_.end() ? -1 : static_cast<int>(it - objects_.begin());
}

void TextListControl::setSorted(bool sorted) {
    if (sorted == sorted_) return;
    sorted_ = sorted;
    if (!sorted) return;
    std::vector<size_t> order(items_.size());
    std::iota(order.begin(), order.end(), size_t{0});
    std::stable_sort(order.begin(), order.end(), [&](size_t a, size_t b) { return lessText(items_[a], items_[b]); });
    std::vector<std::string> items;
    std::vector<ItemObject> objects;
    for (size_t i : order) {
        items.push_back(std::move(items_[i]));
        objects.push_back(objects_[i]);
    }
    items_ = std::move(items);
    objects_ = std::move(objects);
    index_ = -1;
    if (!hwnd()) return;
    SendMessageA(hwnd(), messages_.reset, 0, 0);
    fill();
}

ComboBox::ComboBox(bool dropDownList)
    : TextListControl({CB_ADDSTRING, CB_RESETCONTENT, CB_SETCURSEL, CB_GETCURSEL, CB_INSERTSTRING, CB_DELETESTRING}),
      list_(dropDownList) {
    style_ |= WS_TABSTOP | WS_VSCROLL;
}

void ComboBox::createParams(CreateArgs& args) {
    Control::createParams(args);
    args.className = "COMBOBOX";
    args.style |= list_ ? CBS_DROPDOWNLIST : CBS_DROPDOWN | CBS_AUTOHSCROLL;
    // The height includes the dropped-down list.
    args.height = std::max(args.height, 200);
}

LRESULT ComboBox::reflected(UINT msg, WPARAM wp, LPARAM lp, bool& handled) {
    if (msg == WM_COMMAND && HIWORD(wp) == CBN_SELCHANGE) {
        handled = true;
        if (onChange) onChange(*this);
    }
    return Control::reflected(msg, wp, lp, handled);
}

ListBox::ListBox()
    : TextListControl({LB_ADDSTRING, LB_RESETCONTENT, LB_SETCURSEL, LB_GETCURSEL, LB_INSERTSTRING, LB_DELETESTRING}) {
    style_ |= WS_TABSTOP | WS_VSCROLL;
    exStyle_ |= WS_EX_CLIENTEDGE;
}

void ListBox::createParams(CreateArgs& args) {
    Control::createParams(args);
    args.className = "LISTBOX";
    args.style |= LBS_NOTIFY | LBS_NOINTEGRALHEIGHT;
    if (multiSelect_) args.style |= LBS_EXTENDEDSEL;
}

void ListBox::setMultiSelect(bool multiSelect) {
    if (multiSelect == multiSelect_) return;
    const bool had = hwnd() != nullptr;
    if (had) destroyWnd();
    multiSelect_ = multiSelect;
    // A multi-select list has no current selection, only the focused item.
    messages_.setSelection = multiSelect ? LB_SETCARETINDEX : LB_SETCURSEL;
    messages_.getSelection = multiSelect ? LB_GETCARETINDEX : LB_GETCURSEL;
    selection_.clear();
    if (had) createWnd();
}

void ListBox::createWnd() {
    TextListControl::createWnd();
    if (!multiSelect_) return;
    for (size_t i = 0; i < selection_.size() && i < items().size(); ++i)
        if (selection_[i]) SendMessageA(hwnd(), LB_SETSEL, TRUE, static_cast<LPARAM>(i));
    selection_.clear();
}

void ListBox::destroyWnd() {
    if (hwnd() && multiSelect_) {
        selection_.assign(items().size(), false);
        for (int i = 0; i < count(); ++i) selection_[static_cast<size_t>(i)] = selected(i);
    }
    TextListControl::destroyWnd();
}

bool ListBox::selected(int index) const {
    if (index < 0 || index >= count()) return false;
    if (hwnd()) return SendMessageA(hwnd(), LB_GETSEL, static_cast<WPARAM>(index), 0) > 0;
    if (!multiSelect_) return index == itemIndex();
    return static_cast<size_t>(index) < selection_.size() && selection_[static_cast<size_t>(index)];
}

void ListBox::setSelected(int index, bool selected) {
    if (index < 0 || index >= count()) throw std::out_of_range("list index out of bounds");
    if (!multiSelect_) {
        if (selected) setItemIndex(index);
        else if (itemIndex() == index) setItemIndex(-1);
        return;
    }
    if (hwnd()) {
        SendMessageA(hwnd(), LB_SETSEL, selected, index);
        return;
    }
    selection_.resize(items().size(), false);
    selection_[static_cast<size_t>(index)] = selected;
}

int ListBox::selCount() const {
    if (hwnd() && multiSelect_) return static_cast<int>(SendMessageA(hwnd(), LB_GETSELCOUNT, 0, 0));
    int n = 0;
    for (int i = 0; i < count(); ++i) n += selected(i);
    return n;
}

LRESULT ListBox::reflected(UINT msg, WPARAM wp, LPARAM lp, bool& handled) {
    if (msg != WM_COMMAND) return Control::reflected(msg, wp, lp, handled);
    if (HIWORD(wp) == LBN_SELCHANGE) {
        handled = true;
        if (onClick) onClick(*this);
    } else if (HIWORD(wp) == LBN_DBLCLK) {
        handled = true;
        if (onDblClickItem) onDblClickItem(*this);
    }
    return Control::reflected(msg, wp, lp, handled);
}

}  // namespace kv::ui
