#include "controls/VirtualListView.h"

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "ui/Canvas.h"
#include "ui/CellText.h"
#include "controls/ColumnSettingsCodec.h"

namespace kv::ui {

namespace {

bool isPermutation(const std::vector<int>& order, size_t n) {
    if (order.size() != n) return false;
    std::vector<bool> seen(n, false);
    for (int v : order) {
        if (v < 0 || static_cast<size_t>(v) >= n || seen[static_cast<size_t>(v)]) return false;
        seen[static_cast<size_t>(v)] = true;
    }
    return true;
}

std::string narrow(const wchar_t* w) {
    if (!w) return {};
    int n = WideCharToMultiByte(CP_ACP, 0, w, -1, nullptr, 0, nullptr, nullptr);
    std::string s(static_cast<size_t>(std::max(n, 1)), '\0');
    WideCharToMultiByte(CP_ACP, 0, w, -1, s.data(), n, nullptr, nullptr);
    return s.c_str();
}

}  // namespace

TExtListView::~TExtListView() { destroyWindow(); }

void TExtListView::createParams(CreateArgs& args) {
    TCustomEnhListView::createParams(args);
    if (virtualMode_) args.style |= LVS_OWNERDATA;
}

void TExtListView::createWnd() {
    TCustomEnhListView::createWnd();
    SendMessageA(hwnd(), LVM_SETEXTENDEDLISTVIEWSTYLE, 0, extendedStyles_);
    if (!keptOrder_.empty() && isPermutation(keptOrder_, columns_.size())) {
        SendMessageA(hwnd(), LVM_SETCOLUMNORDERARRAY, keptOrder_.size(), reinterpret_cast<LPARAM>(keptOrder_.data()));
        InvalidateRect(hwnd(), nullptr, TRUE);
    }
    // The owner keeps its rows across a re-creation; the list shows them again.
    if (virtualMode_ && itemCount_ > 0)
        SendMessageA(hwnd(), LVM_SETITEMCOUNT, static_cast<WPARAM>(itemCount_), itemCountFlags_);
    for (size_t i = 0; i < columnsFormat_.size(); ++i) ApplyColumnFormat(static_cast<int>(i));
}

void TExtListView::destroyWnd() {
    std::vector<int> order;
    if (fetchColumnOrder(order)) keptOrder_ = order;
    TCustomEnhListView::destroyWnd();
}

void TExtListView::SetVirtualMode(bool on) {
    if (on == virtualMode_) return;
    virtualMode_ = on;
    itemCount_ = 0;
    // The held rows do not belong in an owner-data list, nor the owner's rows
    // (or their count) in a plain one: either way the new window starts empty.
    if (on) ClearItems();
    recreateWnd();
}

void TExtListView::SetItemCountEx(int count, unsigned flags) {
    if (!hwnd()) return;
    itemCount_ = count;
    itemCountFlags_ = flags & (lvsicfNoInvalidateAll | lvsicfNoScroll);
    SendMessageA(hwnd(), LVM_SETITEMCOUNT, static_cast<WPARAM>(count), itemCountFlags_);
}

TLVExtendedStyles TExtListView::ExtendedStyles() const {
    if (!hwnd()) return extendedStyles_;
    return static_cast<TLVExtendedStyles>(SendMessageA(hwnd(), LVM_GETEXTENDEDLISTVIEWSTYLE, 0, 0) & 0xFF);
}

void TExtListView::SetExtendedStyles(TLVExtendedStyles styles) {
    extendedStyles_ = styles;
    if (hwnd()) SendMessageA(hwnd(), LVM_SETEXTENDEDLISTVIEWSTYLE, 0, styles);
}

bool TExtListView::fetchColumnOrder(std::vector<int>& order) const {
    if (!hwnd() || columns_.empty()) return false;
    // Exactly the column count: Windows refuses any other.
    order.assign(columns_.size(), 0);
    return SendMessageA(hwnd(), LVM_GETCOLUMNORDERARRAY, order.size(), reinterpret_cast<LPARAM>(order.data())) != 0;
}

bool TExtListView::SetColumnOrder(const std::vector<int>& order) {
    if (!isPermutation(order, columns_.size())) return false;
    keptOrder_ = order;
    if (hwnd()) {
        SendMessageA(hwnd(), LVM_SETCOLUMNORDERARRAY, order.size(), reinterpret_cast<LPARAM>(order.data()));
        InvalidateRect(hwnd(), nullptr, TRUE);
    }
    return true;
}

bool TExtListView::GetColumnOrder(std::vector<int>& order) {
    if (hwnd()) {
        if (!fetchColumnOrder(order)) return false;
        keptOrder_ = order;
        return true;
    }
    if (keptOrder_.empty()) return false;
    order = keptOrder_;
    return true;
}

void TExtListView::SetColumnsFormat(const std::vector<TExtListColumn>& formats) {
    columnsFormat_ = formats;
    for (auto& f : columnsFormat_)
        if (f.ImageIndex < 0) f = TExtListColumn{};
    for (size_t i = 0; i < columnsFormat_.size(); ++i) ApplyColumnFormat(static_cast<int>(i));
}

void TExtListView::SetColumnFormat(int column, TExtListColumn format) {
    if (column < 0) return;
    if (format.ImageIndex < 0) format = TExtListColumn{};
    if (static_cast<size_t>(column) >= columnsFormat_.size()) columnsFormat_.resize(static_cast<size_t>(column) + 1);
    columnsFormat_[static_cast<size_t>(column)] = format;
    ApplyColumnFormat(column);
}

void TExtListView::ApplyColumnFormat(int column) {
    if (!hwnd() || column < 0 || column >= static_cast<int>(columnsFormat_.size()) || column >= ColumnCount()) return;
    if (!SmallImages() || ImageList_GetImageCount(SmallImages()) < 1) return;
    LVCOLUMNA c{};
    c.mask = LVCF_FMT;
    SendMessageA(hwnd(), LVM_GETCOLUMNA, static_cast<WPARAM>(column), reinterpret_cast<LPARAM>(&c));
    const TExtListColumn& f = columnsFormat_[static_cast<size_t>(column)];
    ColumnFormat next = columnImageFormat(c.fmt, Column(column).alignment, f.ImageIndex, f.ImageAlignment);
    c.mask = next.mask;
    c.fmt = next.fmt;
    c.iImage = next.image;
    SendMessageA(hwnd(), LVM_SETCOLUMNA, static_cast<WPARAM>(column), reinterpret_cast<LPARAM>(&c));
}

void TExtListView::Loaded() {
    TCustomEnhListView::Loaded();
    LoadColumnSettings();
    for (size_t i = 0; i < columnsFormat_.size(); ++i) ApplyColumnFormat(static_cast<int>(i));
}

void TExtListView::StoreColumnSettings() {
    TCustomEnhListView::StoreColumnSettings();
    if (!SaveSettings.AutoSave || columns_.empty() || !SaveSettings.SaveColumnOrder) return;
    std::vector<int> order;
    if (GetColumnOrder(order))
        columnStore(SaveSettings).WriteString(kColumnsSection, "Order", encodeColumnList(order));
}

void TExtListView::LoadColumnSettings() {
    TCustomEnhListView::LoadColumnSettings();
    if (!SaveSettings.AutoSave || columns_.empty() || !SaveSettings.SaveColumnOrder) return;
    std::vector<int> order(columns_.size());
    for (size_t i = 0; i < order.size(); ++i) order[i] = static_cast<int>(i);
    if (auto text = columnStore(SaveSettings).ReadString(kColumnsSection, "Order")) {
        // A damaged value keeps the current order.
        auto stored = decodeColumnOrder(*text, columns_.size());
        if (!stored) return;
        order = *stored;
    }
    SetColumnOrder(order);
}

bool TExtListView::MarqueeBegin() {
    bool canBegin = true;
    if (OnMarqueeBegin) OnMarqueeBegin(*this, canBegin);
    return canBegin;
}

void TExtListView::ItemActivate() {
    if (OnItemActivate) OnItemActivate(*this);
}

int TExtListView::ContentsWidth(int column) {
    // Rows measured besides those in view.
    constexpr int kMeasuredRows = 500;
    // What the control adds to the widest text of a column it sizes.
    constexpr int kContentsPadding = 12;
    const int count = ItemCount();
    if (!hwnd() || !virtualMode_ || !OnVMGetItemInfo || count == 0) return TCustomEnhListView::ContentsWidth(column);
    std::vector<int> rows;
    for (int r = 0; r < std::min(count, kMeasuredRows); ++r) rows.push_back(r);
    const int top = static_cast<int>(SendMessageA(hwnd(), LVM_GETTOPINDEX, 0, 0));
    const int page = static_cast<int>(SendMessageA(hwnd(), LVM_GETCOUNTPERPAGE, 0, 0));
    for (int r = std::max(top, kMeasuredRows); r < std::min(count, top + page + 1); ++r) rows.push_back(r);

    HDC dc = GetDC(hwnd());
    int widest = 0;
    {
        Canvas canvas(dc);
        canvas.setFont(font());
        std::string text;
        for (int row : rows) {
            int image = -1, state = 0, indent = 0;
            LPARAM param = 0;
            text.clear();
            OnVMGetItemInfo(*this, row, column, vmText, image, param, state, indent, text);
            widest = std::max(widest, canvas.textWidth(text));
        }
    }
    ReleaseDC(hwnd(), dc);
    // The first column's text starts after the row's icons, where the control
    // puts the label.
    int labelStart = 0;
    if (column == 0) {
        RECT label{}, bounds{};
        label.left = LVIR_LABEL;
        bounds.left = LVIR_BOUNDS;
        if (SendMessageA(hwnd(), LVM_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&label)) &&
            SendMessageA(hwnd(), LVM_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&bounds)))
            labelStart = std::max(0, static_cast<int>(label.left - bounds.left));
    }
    return labelStart + widest + kContentsPadding;
}

void TExtListView::VMGetItemInfo(LVITEMA& item) {
    if (item.iItem < 0 || !OnVMGetItemInfo) return;
    int state = static_cast<int>(item.state);
    std::string text;
    OnVMGetItemInfo(*this, item.iItem, item.iSubItem, static_cast<TLVVMMaskItems>(item.mask & 0xFF), item.iImage,
                    item.lParam, state, item.iIndent, text);
    if (item.mask & LVIF_TEXT) copyCellText(text, item.pszText, item.cchTextMax);
    item.state = static_cast<UINT>(state);
}

void TExtListView::getDispInfoW(NMLVDISPINFOW& info) {
    LVITEMW& w = info.item;
    if (w.iItem < 0 || !OnVMGetItemInfo) return;
    // The same request in its ANSI form, its text converted on the way back.
    LVITEMA a{};
    std::memcpy(&a, &w, sizeof a);
    std::string buffer(static_cast<size_t>(std::max(w.cchTextMax, 0)) + 1, '\0');
    a.pszText = buffer.data();
    a.cchTextMax = w.cchTextMax;
    VMGetItemInfo(a);
    LPWSTR text = w.pszText;
    int length = w.cchTextMax;
    std::memcpy(&w, &a, sizeof a);
    w.pszText = text;
    w.cchTextMax = length;
    if ((w.mask & LVIF_TEXT) && text && length > 0) {
        int n = MultiByteToWideChar(CP_ACP, 0, buffer.c_str(), -1, text, length);
        if (n == 0) text[length - 1] = L'\0';
    }
}

void TExtListView::VMCacheHint(NMLVCACHEHINT& hint) {
    if (OnVMCacheHint) OnVMCacheHint(*this, hint);
}

int TExtListView::VMFindItem(NMLVFINDITEMA& find) {
    int found = -1;
    if (OnVMFindItem) OnVMFindItem(*this, find, found);
    return found;
}

int TExtListView::findItemW(NMLVFINDITEMW& info) {
    NMLVFINDITEMA a{};
    a.hdr = info.hdr;
    a.iStart = info.iStart;
    a.lvfi.flags = info.lvfi.flags;
    a.lvfi.lParam = info.lvfi.lParam;
    a.lvfi.pt = info.lvfi.pt;
    a.lvfi.vkDirection = info.lvfi.vkDirection;
    std::string text = (info.lvfi.flags & (LVFI_STRING | LVFI_PARTIAL)) ? narrow(info.lvfi.psz) : std::string();
    a.lvfi.psz = text.c_str();
    return VMFindItem(a);
}

void TExtListView::VMStateChanged(NMLVODSTATECHANGE& state) {
    if (OnVMStateChanged) OnVMStateChanged(*this, state);
}

LRESULT TExtListView::wndProc(UINT msg, WPARAM wp, LPARAM lp) {
    LRESULT r = TCustomEnhListView::wndProc(msg, wp, lp);
    // A column being resized gets its image format again.
    if (msg == WM_NOTIFY) {
        auto* hdr = reinterpret_cast<NMHDR*>(lp);
        if (hdr->hwndFrom == headerWindow() && (hdr->code == HDN_BEGINTRACKA || hdr->code == HDN_BEGINTRACKW))
            ApplyColumnFormat(reinterpret_cast<NMHEADERA*>(lp)->iItem);
    }
    return r;
}

LRESULT TExtListView::reflected(UINT msg, WPARAM wp, LPARAM lp, bool& handled) {
    if (msg != WM_NOTIFY) return TCustomEnhListView::reflected(msg, wp, lp, handled);
    auto* hdr = reinterpret_cast<NMHDR*>(lp);
    handled = true;
    if (hdr->code == static_cast<UINT>(NM_CUSTOMDRAW)) {
        auto* cd = reinterpret_cast<NMLVCUSTOMDRAW*>(lp);
        if (cd->nmcd.dwDrawStage == CDDS_PREPAINT) return CDRF_NOTIFYITEMDRAW;
        int result = 0;
        if (cd->nmcd.dwDrawStage == CDDS_ITEMPREPAINT && OnCDPrepaint) OnCDPrepaint(*this, *cd, result);
        return result;
    }
    if (virtualMode_) {
        switch (hdr->code) {
        case LVN_ODFINDITEMA: return typeAheadFound(VMFindItem(*reinterpret_cast<NMLVFINDITEMA*>(lp)));
        case LVN_ODFINDITEMW: return typeAheadFound(findItemW(*reinterpret_cast<NMLVFINDITEMW*>(lp)));
        case LVN_GETDISPINFOA: VMGetItemInfo(reinterpret_cast<NMLVDISPINFOA*>(lp)->item); return 0;
        case LVN_GETDISPINFOW: getDispInfoW(*reinterpret_cast<NMLVDISPINFOW*>(lp)); return 0;
        case LVN_ODSTATECHANGED: VMStateChanged(*reinterpret_cast<NMLVODSTATECHANGE*>(lp)); return 0;
        case LVN_ODCACHEHINT: VMCacheHint(*reinterpret_cast<NMLVCACHEHINT*>(lp)); return 0;
        }
    } else {
        switch (hdr->code) {
        case LVN_MARQUEEBEGIN: return MarqueeBegin() ? 0 : 1;
        case LVN_ITEMACTIVATE: ItemActivate(); return 0;
        }
    }
    handled = false;
    return TCustomEnhListView::reflected(msg, wp, lp, handled);
}

}  // namespace kv::ui
