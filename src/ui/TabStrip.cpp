#include "ui/TabStrip.h"

#include <commctrl.h>

#include "ui/CommonControls.h"

namespace kv::ui {

TabStrip::TabStrip() { style_ |= WS_TABSTOP; }

void TabStrip::createParams(CreateArgs& args) {
    ensureCommonControls();
    Control::createParams(args);
    args.className = WC_TABCONTROLA;
    if (multiLine_) args.style |= TCS_MULTILINE;
}

void TabStrip::insertTab(int at) {
    TCITEMA item{};
    item.mask = TCIF_TEXT;
    item.pszText = const_cast<char*>(tabs_[static_cast<size_t>(at)].c_str());
    SendMessageA(hwnd(), TCM_INSERTITEMA, static_cast<WPARAM>(at), reinterpret_cast<LPARAM>(&item));
}

void TabStrip::createWnd() {
    Control::createWnd();
    for (int i = 0; i < static_cast<int>(tabs_.size()); ++i) insertTab(i);
    SendMessageA(hwnd(), TCM_SETCURSEL, static_cast<WPARAM>(index_), 0);
}

void TabStrip::destroyWnd() {
    index_ = tabIndex();
    Control::destroyWnd();
}

void TabStrip::setTabs(const std::vector<std::string>& tabs) {
    tabs_ = tabs;
    index_ = tabs_.empty() ? -1 : 0;
    if (!hwnd()) return;
    SendMessageA(hwnd(), TCM_DELETEALLITEMS, 0, 0);
    for (int i = 0; i < static_cast<int>(tabs_.size()); ++i) insertTab(i);
    SendMessageA(hwnd(), TCM_SETCURSEL, static_cast<WPARAM>(index_), 0);
}

void TabStrip::addTab(const std::string& caption) {
    tabs_.push_back(caption);
    const bool first = tabs_.size() == 1;
    if (first && !hwnd()) index_ = 0;
    if (!hwnd()) return;
    insertTab(static_cast<int>(tabs_.size()) - 1);
    if (first) SendMessageA(hwnd(), TCM_SETCURSEL, 0, 0);
}

int TabStrip::tabIndex() const {
    return hwnd() ? static_cast<int>(SendMessageA(hwnd(), TCM_GETCURSEL, 0, 0)) : index_;
}

void TabStrip::setTabIndex(int index) {
    if (index < -1 || index >= static_cast<int>(tabs_.size())) return;
    index_ = index;
    if (hwnd()) SendMessageA(hwnd(), TCM_SETCURSEL, static_cast<WPARAM>(index), 0);
}

void TabStrip::setMultiLine(bool multiLine) {
    if (multiLine == multiLine_) return;
    multiLine_ = multiLine;
    recreateWnd();
}

RECT TabStrip::displayRect() const {
    RECT r = clientRect();
    if (hwnd()) SendMessageA(hwnd(), TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&r));
    return r;
}

LRESULT TabStrip::reflected(UINT msg, WPARAM, LPARAM lp, bool& handled) {
    if (msg != WM_NOTIFY) return 0;
    const UINT code = reinterpret_cast<NMHDR*>(lp)->code;
    if (code == static_cast<UINT>(TCN_SELCHANGING)) {
        handled = true;
        bool allow = true;
        if (onChanging) onChanging(*this, allow);
        return allow ? FALSE : TRUE;  // TRUE keeps the current tab
    }
    if (code == static_cast<UINT>(TCN_SELCHANGE)) {
        handled = true;
        if (onChange) onChange(*this);
    }
    return 0;
}

}  // namespace kv::ui
