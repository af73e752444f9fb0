#include "ui/PageControl.h"

#include <commctrl.h>

#include "ui/CommonControls.h"

namespace kv::ui {

PageControl::PageControl() { style_ |= WS_TABSTOP | WS_CLIPCHILDREN; }

void PageControl::createParams(CreateArgs& args) {
    ensureCommonControls();
    Control::createParams(args);
    args.className = WC_TABCONTROLA;
    args.style |= tabStyles_;
}

void PageControl::createWnd() {
    Control::createWnd();
    if (images_) SendMessageA(hwnd(), TCM_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(images_));
    if (tabWidth_ > 0) SendMessageA(hwnd(), TCM_SETITEMSIZE, 0, MAKELPARAM(tabWidth_, 0));
    rebuildTabs();
}

void PageControl::setTabStyles(DWORD styles, int tabWidth) {
    tabStyles_ = styles;
    tabWidth_ = tabWidth;
    recreateWnd();
}

void PageControl::setImages(HIMAGELIST images) {
    images_ = images;
    if (hwnd()) {
        SendMessageA(hwnd(), TCM_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(images));
        tabsRebuilt();
    }
}

Panel& PageControl::addPage(const std::string& caption) {
    auto panel = std::make_unique<Panel>();
    panel->setBevel(false);
    panel->setVisible(false);
    Panel& ref = *panel;
    pages_.push_back({caption, std::move(panel), true});
    ref.create(this);
    if (active_ < 0) active_ = pageCount() - 1;
    rebuildTabs();
    return ref;
}

int PageControl::tabOfPage(int page) const {
    if (page < 0 || page >= pageCount() || !pages_[static_cast<size_t>(page)].visible) return -1;
    int tab = 0;
    for (int i = 0; i < page; ++i) tab += pages_[static_cast<size_t>(i)].visible;
    return tab;
}

int PageControl::pageOfTab(int tab) const {
    for (int i = 0; i < pageCount(); ++i)
        if (pages_[static_cast<size_t>(i)].visible && tab-- == 0) return i;
    return -1;
}

void PageControl::rebuildTabs() {
    if (!hwnd()) return;
    SendMessageA(hwnd(), TCM_DELETEALLITEMS, 0, 0);
    int tab = 0;
    for (auto& p : pages_) {
        if (!p.visible) continue;
        TCITEMA item{};
        item.mask = TCIF_TEXT;
        item.pszText = const_cast<char*>(p.caption.c_str());
        SendMessageA(hwnd(), TCM_INSERTITEMA, static_cast<WPARAM>(tab++), reinterpret_cast<LPARAM>(&item));
    }
    if (tabOfPage(active_) < 0) active_ = pageOfTab(0);
    SendMessageA(hwnd(), TCM_SETCURSEL, static_cast<WPARAM>(tabOfPage(active_)), 0);
    layoutPages();
    tabsRebuilt();
}

void PageControl::layoutPages() {
    if (!hwnd()) return;
    RECT r = clientRect();
    SendMessageA(hwnd(), TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&r));
    for (int i = 0; i < pageCount(); ++i) {
        Panel& p = *pages_[static_cast<size_t>(i)].panel;
        p.setBounds(r.left, r.top, r.right - r.left, r.bottom - r.top);
        p.setVisible(i == active_);
    }
}

void PageControl::setPageVisible(int index, bool visible) {
    if (index < 0 || index >= pageCount()) return;
    pages_[static_cast<size_t>(index)].visible = visible;
    rebuildTabs();
}

void PageControl::setPageCaption(int index, const std::string& caption) {
    if (index < 0 || index >= pageCount() || pages_[static_cast<size_t>(index)].caption == caption) return;
    pages_[static_cast<size_t>(index)].caption = caption;
    rebuildTabs();
}

void PageControl::setActivePage(int index) {
    if (tabOfPage(index) < 0) return;
    active_ = index;
    if (hwnd()) SendMessageA(hwnd(), TCM_SETCURSEL, static_cast<WPARAM>(tabOfPage(index)), 0);
    layoutPages();
}

LRESULT PageControl::reflected(UINT msg, WPARAM, LPARAM lp, bool& handled) {
    if (msg == WM_NOTIFY && reinterpret_cast<NMHDR*>(lp)->code == static_cast<UINT>(TCN_SELCHANGING)) {
        handled = true;
        bool allow = true;
        if (onChanging) onChanging(*this, allow);
        return allow ? FALSE : TRUE;
    }
    if (msg == WM_NOTIFY && reinterpret_cast<NMHDR*>(lp)->code == static_cast<UINT>(TCN_SELCHANGE)) {
        handled = true;
        active_ = pageOfTab(static_cast<int>(SendMessageA(hwnd(), TCM_GETCURSEL, 0, 0)));
        layoutPages();
        if (onChange) onChange(*this);
    }
    return 0;
}

LRESULT PageControl::wndProc(UINT msg, WPARAM wp, LPARAM lp) {
    LRESULT r = Control::wndProc(msg, wp, lp);
    if (msg == WM_SIZE) layoutPages();
    return r;
}

}  // namespace kv::ui
