#include "controls/ReportListView.h"

#include <algorithm>
#include <utility>

#include "controls/ColumnSettingsCodec.h"
#include "controls/ItemCompare.h"
#include "ui/CommonControls.h"

namespace kv::ui {

namespace {

const int kTextMargin = 5;
const int kIconLeft = 2;
const int kTextAfterIcon = 20;
// Up to this many selected rows are cleared one by one.
const int kRowByRowLimit = 1000;

bool shiftOrCtrlDown() { return GetKeyState(VK_SHIFT) < 0 || GetKeyState(VK_CONTROL) < 0; }

CompareLocale userLocale() {
    CompareLocale l;
    char buf[80];
    if (GetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_SDATE, buf, sizeof buf)) l.dateSeparator = buf;
    if (GetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_SSHORTDATE, buf, sizeof buf)) l.shortDateFormat = buf;
    if (GetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_SDECIMAL, buf, sizeof buf) && buf[0]) l.decimalSeparator = buf[0];
    l.compareText = [](std::string_view a, std::string_view b) {
        return CompareStringA(LOCALE_USER_DEFAULT, 0, a.data(), static_cast<int>(a.size()), b.data(),
                              static_cast<int>(b.size())) - CSTR_EQUAL;
    };
    return l;
}

}  // namespace

RegistrySectionStore columnStore(const TEnhLVSaveSettings& settings) {
    return RegistrySectionStore(HKEY_CURRENT_USER, settings.RegistryKey);
}

// Watches the header for a click beside the last column, which the list view
// never reports as a column click. As with a column, the press and the release
// must both be there: a press on a column released beside them is no click.
class TCustomEnhListView::HeaderHook : public Wnd {
public:
    HeaderHook(TCustomEnhListView& list, HWND header) : list_(list) { subclassWindow(header); }
    // The header belongs to the list view: the hook lets go without destroying it.
    ~HeaderHook() override { releaseWindow(); }

    LRESULT wndProc(UINT msg, WPARAM wp, LPARAM lp) override {
        if (msg == WM_LBUTTONDOWN || msg == WM_LBUTTONDBLCLK) pressedBeside_ = besideColumns(lp);
        LRESULT r = Wnd::wndProc(msg, wp, lp);
        if (msg == WM_LBUTTONUP && std::exchange(pressedBeside_, false) && besideColumns(lp)) {
            if (list_.OnColumnClick) list_.OnColumnClick(list_, -1);
        }
        return r;
    }

private:
    bool besideColumns(LPARAM lp) {
        HDHITTESTINFO hit{};
        hit.pt = {static_cast<short>(LOWORD(lp)), static_cast<short>(HIWORD(lp))};
        SendMessageA(hwnd(), HDM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit));
        return hit.iItem < 0 || (hit.flags & HHT_NOWHERE);
    }

    TCustomEnhListView& list_;
    bool pressedBeside_ = false;
};

TCustomEnhListView::TCustomEnhListView() { style_ |= WS_TABSTOP; exStyle_ |= WS_EX_CLIENTEDGE; }

TCustomEnhListView::~TCustomEnhListView() {
    header_.reset();
    destroyWindow();
    if (dragImages_) ImageList_Destroy(dragImages_);
}

void TCustomEnhListView::createParams(CreateArgs& args) {
    ensureCommonControls();
    Control::createParams(args);
    args.className = WC_LISTVIEWA;
    args.style |= LVS_REPORT | LVS_SHAREIMAGELISTS | LVS_SHOWSELALWAYS;
    if (lvStyle_ == TLVStyle::lvOwnerDrawFixed) args.style |= LVS_OWNERDRAWFIXED;
    if (EditLabels) args.style |= LVS_EDITLABELS;
}

HWND TCustomEnhListView::headerWindow() const {
    return hwnd() ? reinterpret_cast<HWND>(SendMessageA(hwnd(), LVM_GETHEADER, 0, 0)) : nullptr;
}

void TCustomEnhListView::createWnd() {
    Control::createWnd();
    for (size_t i = 0; i < columns_.size(); ++i) {
        LVCOLUMNA c{};
        c.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_FMT | LVCF_SUBITEM;
        c.pszText = const_cast<char*>(columns_[i].caption.c_str());
        c.cx = columns_[i].width;
        c.fmt = columns_[i].alignment;
        c.iSubItem = static_cast<int>(i);
        SendMessageA(hwnd(), LVM_INSERTCOLUMNA, i, reinterpret_cast<LPARAM>(&c));
    }
    if (smallImages_) SendMessageA(hwnd(), LVM_SETIMAGELIST, LVSIL_SMALL, reinterpret_cast<LPARAM>(smallImages_));
    if (largeImages_) SendMessageA(hwnd(), LVM_SETIMAGELIST, LVSIL_NORMAL, reinterpret_cast<LPARAM>(largeImages_));
    if (!virtualList()) {
        for (const SavedItem& item : savedItems_) {
            std::vector<std::string> subs(item.texts.begin() + 1, item.texts.end());
            int row = AddItem(item.texts[0], subs, item.image);
            LVITEMA it{};
            it.mask = LVIF_PARAM;
            it.iItem = row;
            it.lParam = item.data;
            SendMessageA(hwnd(), LVM_SETITEMA, 0, reinterpret_cast<LPARAM>(&it));
        }
    }
    savedItems_.clear();
    header_.reset();
    if (HWND h = headerWindow()) header_ = std::make_unique<HeaderHook>(*this, h);
}

void TCustomEnhListView::destroyWnd() {
    if (hwnd()) {
        // Automatic widths stay automatic in the new window.
        for (size_t i = 0; i < columns_.size(); ++i)
            if (columns_[i].width >= 0) columns_[i].width = ColumnWidth(static_cast<int>(i));
        savedItems_.clear();
        // The window's own style, not the mode: while the mode is switched off
        // the old window still shows the owner's rows, which are not ours to keep.
        if (!(GetWindowLongA(hwnd(), GWL_STYLE) & LVS_OWNERDATA)) {
            int n = ItemCount();
            for (int row = 0; row < n; ++row) {
                SavedItem s;
                for (int c = 0; c < std::max(1, ColumnCount()); ++c) s.texts.push_back(ItemText(row, c));
                LVITEMA it{};
                it.mask = LVIF_IMAGE | LVIF_PARAM;
                it.iItem = row;
                SendMessageA(hwnd(), LVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&it));
                s.image = it.iImage;
                s.data = it.lParam;
                savedItems_.push_back(std::move(s));
            }
        }
    }
    header_.reset();
    Control::destroyWnd();
}

int TCustomEnhListView::AddColumn(const std::string& caption, int width, int alignment) {
    columns_.push_back({caption, width, alignment});
    int i = static_cast<int>(columns_.size()) - 1;
    if (hwnd()) {
        LVCOLUMNA c{};
        c.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_FMT | LVCF_SUBITEM;
        c.pszText = const_cast<char*>(caption.c_str());
        c.cx = width;
        c.fmt = alignment;
        c.iSubItem = i;
        SendMessageA(hwnd(), LVM_INSERTCOLUMNA, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&c));
    }
    return i;
}

void TCustomEnhListView::ClearColumns() {
    if (hwnd())
        for (int i = ColumnCount() - 1; i >= 0; --i) SendMessageA(hwnd(), LVM_DELETECOLUMN, static_cast<WPARAM>(i), 0);
    columns_.clear();
}

int TCustomEnhListView::ColumnWidth(int column) const {
    if (column < 0 || column >= ColumnCount()) return 0;
    if (!hwnd()) return columns_[static_cast<size_t>(column)].width;
    return static_cast<int>(SendMessageA(hwnd(), LVM_GETCOLUMNWIDTH, static_cast<WPARAM>(column), 0));
}

void TCustomEnhListView::SetColumnWidth(int column, int width) {
    if (column < 0 || column >= ColumnCount()) return;
    columns_[static_cast<size_t>(column)].width = width;
    if (!hwnd()) return;
    // The control's own -2 fills the view with the last column by number even
    // where the user moved it left of others, and clips the other headers.
    int shown = width;
    if (width == -1) shown = ContentsWidth(column);
    else if (width < 0) shown = std::max(ContentsWidth(column), HeaderTextWidth(column));
    SendMessageA(hwnd(), LVM_SETCOLUMNWIDTH, static_cast<WPARAM>(column), MAKELPARAM(shown, 0));
}

int TCustomEnhListView::ContentsWidth(int column) {
    if (!hwnd()) return 0;
    SendMessageA(hwnd(), LVM_SETCOLUMNWIDTH, static_cast<WPARAM>(column), LVSCW_AUTOSIZE);
    return ColumnWidth(column);
}

int TCustomEnhListView::HeaderTextWidth(int column) const {
    // The header draws its text inside a margin on both sides.
    constexpr int kHeaderTextMargin = 16;
    if (!hwnd() || column < 0 || column >= ColumnCount()) return 0;
    const std::string& caption = Column(column).caption;
    return static_cast<int>(SendMessageA(hwnd(), LVM_GETSTRINGWIDTHA, 0, reinterpret_cast<LPARAM>(caption.c_str()))) +
           kHeaderTextMargin;
}

int TCustomEnhListView::AddItem(const std::string& caption, const std::vector<std::string>& subItems, int image) {
    if (!hwnd()) {
        SavedItem s{{caption}, image, 0};
        s.texts.insert(s.texts.end(), subItems.begin(), subItems.end());
        savedItems_.push_back(std::move(s));
        return static_cast<int>(savedItems_.size()) - 1;
    }
    LVITEMA it{};
    it.mask = LVIF_TEXT | LVIF_IMAGE;
    it.iItem = ItemCount();
    it.pszText = const_cast<char*>(caption.c_str());
    it.iImage = image;
    int row = static_cast<int>(SendMessageA(hwnd(), LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&it)));
    for (size_t i = 0; i < subItems.size(); ++i) {
        LVITEMA sub{};
        sub.iSubItem = static_cast<int>(i) + 1;
        sub.pszText = const_cast<char*>(subItems[i].c_str());
        SendMessageA(hwnd(), LVM_SETITEMTEXTA, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&sub));
    }
    return row;
}

std::string TCustomEnhListView::ItemText(int row, int subItem) const {
    if (!hwnd()) {
        if (row < 0 || row >= static_cast<int>(savedItems_.size())) return {};
        const auto& t = savedItems_[static_cast<size_t>(row)].texts;
        return subItem >= 0 && subItem < static_cast<int>(t.size()) ? t[static_cast<size_t>(subItem)] : std::string();
    }
    // LVM_GETITEM, not LVM_GETITEMTEXT: it is the one message Windows allows
    // inside a sort's comparer, where this is called from.
    char buf[1024] = {};
    LVITEMA it{};
    it.mask = LVIF_TEXT;
    it.iItem = row;
    it.iSubItem = subItem;
    it.pszText = buf;
    it.cchTextMax = sizeof buf;
    if (!SendMessageA(hwnd(), LVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&it)) || !it.pszText) return {};
    // The control may point at its own copy of the text instead of filling the buffer.
    return it.pszText;
}

int TCustomEnhListView::ItemCount() const {
    if (!hwnd()) return static_cast<int>(savedItems_.size());
    return static_cast<int>(SendMessageA(hwnd(), LVM_GETITEMCOUNT, 0, 0));
}

void TCustomEnhListView::ClearItems() {
    savedItems_.clear();
    if (hwnd()) SendMessageA(hwnd(), LVM_DELETEALLITEMS, 0, 0);
}

int TCustomEnhListView::SelectedCount() const {
    return hwnd() ? static_cast<int>(SendMessageA(hwnd(), LVM_GETSELECTEDCOUNT, 0, 0)) : 0;
}

// Wine answers each message in about 27 us, which makes a walk over 100,000
// selected rows take seconds.
std::vector<int> TCustomEnhListView::SelectedRows() const {
    std::vector<int> rows;
    const int count = SelectedCount();
    if (count <= 0) return rows;
    const auto next = [this](int from) {
        return static_cast<int>(SendMessageA(hwnd(), LVM_GETNEXTITEM, static_cast<WPARAM>(from), LVNI_SELECTED));
    };
    const int first = next(-1);
    if (first < 0) return rows;
    // Nothing selected after first + count - 1: the selected rows fill that block.
    const int last = first + count - 1;
    if (count == 1 || last < ItemCount()) {
        const int after = count == 1 ? -1 : next(last);
        if (after < 0 || after <= last) {
            rows.resize(static_cast<size_t>(count));
            for (int i = 0; i < count; ++i) rows[static_cast<size_t>(i)] = first + i;
            return rows;
        }
    }
    // Wine's search can wrap round to the start: stop at a row already seen.
    for (int r = first; r >= 0 && (rows.empty() || r > rows.back()); r = next(r)) rows.push_back(r);
    return rows;
}

int TCustomEnhListView::FocusedRow() const {
    return hwnd() ? static_cast<int>(SendMessageA(hwnd(), LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_FOCUSED)) : -1;
}

void TCustomEnhListView::ClearRowStates() {
    if (!hwnd()) return;
    const UINT mask = LVIS_FOCUSED | LVIS_SELECTED | LVIS_CUT | LVIS_DROPHILITED;
    LVITEMA clear{};
    clear.stateMask = mask;
    clear.state = 0;
    if (SelectedCount() > kRowByRowLimit) {
        if (virtualList()) clearByRecount(false);
        else SendMessageA(hwnd(), LVM_SETITEMSTATE, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&clear));
        return;
    }
    // The program never sets the cut and drop-highlight bits, so the selected
    // rows and the focused row are all there is to clear.
    std::vector<int> rows = SelectedRows();
    if (int f = FocusedRow(); f >= 0) rows.push_back(f);
    for (int r : rows) SendMessageA(hwnd(), LVM_SETITEMSTATE, static_cast<WPARAM>(r), reinterpret_cast<LPARAM>(&clear));
}

// Wine's all-rows call visits every row (over a minute at 10^6 rows after a
// select-all). An owner-data list drops the selection of rows that leave it,
// so shrinking to none and growing back clears it at once; the view is put back
// where it was, and the owner is told as the control's own clear would tell it.
void TCustomEnhListView::clearByRecount(bool keepFocus) {
    const WPARAM flags = LVSICF_NOINVALIDATEALL | LVSICF_NOSCROLL;
    int count = ItemCount();
    int top = static_cast<int>(SendMessageA(hwnd(), LVM_GETTOPINDEX, 0, 0));
    int focus = FocusedRow();
    LPARAM mark = SendMessageA(hwnd(), LVM_GETSELECTIONMARK, 0, 0);
    // Redraw off, or the control rescrolls and repaints at each step. (Turning
    // it back on shows a hidden window on Windows.)
    const bool visible = IsWindowVisible(hwnd()) != FALSE;
    if (visible) SendMessageA(hwnd(), WM_SETREDRAW, FALSE, 0);
    SendMessageA(hwnd(), LVM_SETITEMCOUNT, 0, flags);
    SendMessageA(hwnd(), LVM_SETITEMCOUNT, static_cast<WPARAM>(count), flags);
    int now = static_cast<int>(SendMessageA(hwnd(), LVM_GETTOPINDEX, 0, 0));
    if (now != top && count > 0) {
        RECT r{};
        r.left = LVIR_BOUNDS;
        SendMessageA(hwnd(), LVM_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&r));
        SendMessageA(hwnd(), LVM_SCROLL, 0, static_cast<LPARAM>((top - now) * (r.bottom - r.top)));
    }
    if (visible) SendMessageA(hwnd(), WM_SETREDRAW, TRUE, 0);
    NMLISTVIEW cleared{};
    cleared.hdr = {hwnd(), id(), LVN_ITEMCHANGED};
    cleared.iItem = -1;
    cleared.uChanged = LVIF_STATE;
    cleared.uOldState = LVIS_SELECTED | (!keepFocus && focus >= 0 ? LVIS_FOCUSED : 0);
    SendMessageA(GetParent(hwnd()), WM_NOTIFY, cleared.hdr.idFrom, reinterpret_cast<LPARAM>(&cleared));
    if (keepFocus) {
        if (focus >= 0) {
            LVITEMA it{};
            it.stateMask = LVIS_FOCUSED;
            it.state = LVIS_FOCUSED;
            SendMessageA(hwnd(), LVM_SETITEMSTATE, static_cast<WPARAM>(focus), reinterpret_cast<LPARAM>(&it));
        }
        SendMessageA(hwnd(), LVM_SETSELECTIONMARK, 0, mark);
    }
    InvalidateRect(hwnd(), nullptr, TRUE);
}

bool TCustomEnhListView::largeSelection() const { return virtualList() && SelectedCount() > kRowByRowLimit; }

int TCustomEnhListView::rowAt(POINT p, UINT* flags) const {
    LVHITTESTINFO hit{};
    hit.pt = p;
    int row = static_cast<int>(SendMessageA(hwnd(), LVM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit)));
    if (flags) *flags = hit.flags;
    return row;
}

// Whether the control answers this plain key by selecting one row: a move of
// the focus (not past either end), or Space.
bool TCustomEnhListView::keyReplacesSelection(WPARAM key) const {
    int focus = FocusedRow();
    int last = ItemCount() - 1;
    switch (key) {
    case VK_SPACE: return focus >= 0;
    case VK_HOME:
    case VK_PRIOR: return focus != 0;
    case VK_END:
    case VK_NEXT: return focus != last;
    case VK_UP:
    case VK_DOWN: {
        int next = static_cast<int>(SendMessageA(hwnd(), LVM_GETNEXTITEM, static_cast<WPARAM>(focus),
                                                 key == VK_UP ? LVNI_ABOVE : LVNI_BELOW));
        return next >= 0 && next != focus;
    }
    }
    return false;
}

// Wine's list view replaces a selection by clearing it row by row: a plain
// click or key with all 10^6 rows selected took minutes. Such input clears a
// large selection of a virtual list at once first, leaving what the control
// itself would leave, so the control's own handling finds nothing to clear.
// The control announces its handling of each input with a notification
// (after the owner's events); that is the moment. Shift and Ctrl input extends
// or toggles the selection and is left alone.
LRESULT TCustomEnhListView::handleInput(Input input, UINT msg, WPARAM wp, LPARAM lp) {
    struct Scope {
        Input& slot;
        Input outer;
        ~Scope() { slot = outer; }
    } scope{handling_, std::exchange(handling_, input)};
    return Control::wndProc(msg, wp, lp);
}

bool TCustomEnhListView::rowSelected(int row) const {
    return (SendMessageA(hwnd(), LVM_GETITEMSTATE, static_cast<WPARAM>(row), LVIS_SELECTED) & LVIS_SELECTED) != 0;
}

void TCustomEnhListView::beforeOwnInputHandling(UINT code, LPARAM lp) {
    if (code != NM_RELEASEDCAPTURE && code != NM_CLICK && code != LVN_KEYDOWN) return;
    if (handling_ == Input::none || !largeSelection()) return;
    const bool plain = !(pressKeys_ & (MK_SHIFT | MK_CONTROL));
    if (code == NM_RELEASEDCAPTURE && handling_ == Input::press && plain) {
        UINT flags = 0;
        int row = rowAt(mouseDown_, &flags);
        bool checkbox = (flags & LVHT_ONITEMSTATEICON) &&
                        (SendMessageA(hwnd(), LVM_GETEXTENDEDLISTVIEWSTYLE, 0, 0) & LVS_EX_CHECKBOXES);
        // A press on a selected row keeps the selection for a drag; its release replaces it.
        if (row >= 0 && rowSelected(row)) pressedSelectedRow_ = row;
        else if (!checkbox) clearByRecount(true);
    } else if (code == NM_RELEASEDCAPTURE && handling_ == Input::rightPress) {
        // A right press keeps the selection on a selected row, and with Shift or Ctrl on any row.
        int row = rowAt(inputPoint_);
        if (row < 0 || (plain && !rowSelected(row))) clearByRecount(true);
    } else if (code == NM_CLICK && handling_ == Input::release) {
        if (pressedSelectedRow_ >= 0 && !dragged_ && rowAt(inputPoint_) == pressedSelectedRow_) clearByRecount(true);
    } else if (code == LVN_KEYDOWN && handling_ == Input::key) {
        if (!shiftOrCtrlDown() && keyReplacesSelection(reinterpret_cast<NMLVKEYDOWN*>(lp)->wVKey)) clearByRecount(true);
    }
}

int TCustomEnhListView::typeAheadFound(int row) {
    if (row >= 0 && handling_ == Input::typing && !shiftOrCtrlDown() && largeSelection()) clearByRecount(true);
    return row;
}

void TCustomEnhListView::SetStyle(TLVStyle style) {
    if (style == lvStyle_) return;
    lvStyle_ = style;
    recreateWnd();
}

void TCustomEnhListView::SetSmallImages(HIMAGELIST images) {
    smallImages_ = images;
    if (hwnd()) SendMessageA(hwnd(), LVM_SETIMAGELIST, LVSIL_SMALL, reinterpret_cast<LPARAM>(images));
}

void TCustomEnhListView::SetLargeImages(HIMAGELIST images) {
    largeImages_ = images;
    if (hwnd()) SendMessageA(hwnd(), LVM_SETIMAGELIST, LVSIL_NORMAL, reinterpret_cast<LPARAM>(images));
}

void TCustomEnhListView::setDragImages(HIMAGELIST images) {
    if (dragImages_ && dragImages_ != images) ImageList_Destroy(dragImages_);
    dragImages_ = images;
}

HIMAGELIST TCustomEnhListView::GetDragImages() const { return SelectedCount() == 1 ? dragImages_ : nullptr; }

void TCustomEnhListView::Loaded() { LoadColumnSettings(); }

void TCustomEnhListView::StoreColumnSettings() {
    if (!SaveSettings.AutoSave || columns_.empty() || !SaveSettings.SaveColumnSizes) return;
    std::vector<int> widths;
    for (int i = 0; i < ColumnCount(); ++i) widths.push_back(ColumnWidth(i));
    columnStore(SaveSettings).WriteString(kColumnsSection, "Sizes", encodeColumnList(widths));
}

void TCustomEnhListView::LoadColumnSettings() {
    if (!SaveSettings.AutoSave || columns_.empty() || !SaveSettings.SaveColumnSizes) return;
    auto text = columnStore(SaveSettings).ReadString(kColumnsSection, "Sizes");
    if (!text) return;
    auto sizes = decodeColumnSizes(*text, columns_.size());
    for (size_t i = 0; i < sizes.size(); ++i)
        if (sizes[i]) SetColumnWidth(static_cast<int>(i), *sizes[i]);
}

void TCustomEnhListView::ColumnClick(int column) {
    sort_.beginClick(column);
    if (OnColumnClick) OnColumnClick(*this, column);
    if (auto request = sort_.endClick(column, ColumnCount())) SortColumn(request->column, request->ascending);
}

void TCustomEnhListView::Resort() {
    if (auto request = sort_.resort(ColumnCount())) SortColumn(request->column, request->ascending);
}

struct SortContext {
    TCustomEnhListView* list;
    bool custom;
};

int CALLBACK TCustomEnhListView::sortCallback(LPARAM a, LPARAM b, LPARAM context) {
    auto* c = reinterpret_cast<SortContext*>(context);
    int i1 = static_cast<int>(a), i2 = static_cast<int>(b);
    try {
        return c->custom ? c->list->CustomItemCompare(i1, i2) : c->list->DefaultItemCompare(i1, i2);
    } catch (...) {
        return 0;
    }
}

// The control's own merge sort tolerates a comparer that is not a strict weak
// ordering; the sort state travels in the call, not in globals.
void TCustomEnhListView::SortColumn(int column, bool ascending) {
    if (OnSortBegin) OnSortBegin(*this);
    sortDirection_ = ascending ? 1 : -1;
    sortColumn_ = column - 1;
    SortContext context{this, static_cast<bool>(OnSortItems)};
    if (hwnd() && !virtualList())
        SendMessageA(hwnd(), LVM_SORTITEMSEX, reinterpret_cast<WPARAM>(&context),
                     reinterpret_cast<LPARAM>(&TCustomEnhListView::sortCallback));
    if (OnSortFinished) OnSortFinished(*this);
}

int TCustomEnhListView::CustomItemCompare(int item1, int item2) const {
    int result = 0;
    OnSortItems(const_cast<TCustomEnhListView&>(*this), item1, item2, sortColumn_, result);
    return result * sortDirection_;
}

int TCustomEnhListView::DefaultItemCompare(int item1, int item2) const {
    static const CompareLocale locale = userLocale();
    int sub = sortColumn_ >= 0 ? sortColumn_ + 1 : 0;
    int r = kv::ui::DefaultItemCompare(ItemText(item1, sub), ItemText(item2, sub), locale);
    return r * sortDirection_;
}

LRESULT TCustomEnhListView::wndProc(UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
    case WM_LBUTTONDOWN:
        mouseDown_ = {static_cast<short>(LOWORD(lp)), static_cast<short>(HIWORD(lp))};
        pressKeys_ = wp;
        pressedSelectedRow_ = -1;
        dragged_ = false;
        if (GetFocus() != hwnd()) {
            MouseSetFocus = true;
            int row = rowAt(mouseDown_);
            // Clear first, then focus only a row that was hit: -1 would mean every row.
            ClearRowStates();
            if (row >= 0) {
                LVITEMA focus{};
                focus.stateMask = LVIS_FOCUSED | LVIS_SELECTED | LVIS_CUT | LVIS_DROPHILITED;
                focus.state = LVIS_FOCUSED;
                SendMessageA(hwnd(), LVM_SETITEMSTATE, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&focus));
            }
        }
        return handleInput(Input::press, msg, wp, lp);
    case WM_LBUTTONUP:
        inputPoint_ = {static_cast<short>(LOWORD(lp)), static_cast<short>(HIWORD(lp))};
        return handleInput(Input::release, msg, wp, lp);
    case WM_RBUTTONDOWN:
        pressKeys_ = wp;
        inputPoint_ = {static_cast<short>(LOWORD(lp)), static_cast<short>(HIWORD(lp))};
        return handleInput(Input::rightPress, msg, wp, lp);
    case WM_KEYDOWN: return handleInput(Input::key, msg, wp, lp);
    case WM_CHAR: return handleInput(Input::typing, msg, wp, lp);
    case WM_DESTROY:
        StoreColumnSettings();
        break;
    case WM_NOTIFY: {
        const auto* hdr = reinterpret_cast<const NMHDR*>(lp);
        const bool endTrack = hdr->code == HDN_ENDTRACKA || hdr->code == HDN_ENDTRACKW;
        const bool fit = hdr->code == HDN_DIVIDERDBLCLICKA || hdr->code == HDN_DIVIDERDBLCLICKW;
        if (hdr->hwndFrom != headerWindow() || !(endTrack || fit)) break;
        auto* nm = reinterpret_cast<NMHEADERA*>(lp);
        if (nm->iItem < 0 || nm->iItem >= ColumnCount()) break;
        // The user's width is kept from then on; a column sized automatically
        // is sized again with the next contents until the user drags it.
        if (endTrack && nm->pitem && (nm->pitem->mask & HDI_WIDTH))
            columns_[static_cast<size_t>(nm->iItem)].width = std::max(0, nm->pitem->cxy);
        // A double-click on the divider fits the column to its contents, measured
        // as SetColumnWidth does (the control's own way reads every row).
        if (fit) {
            const int width = ContentsWidth(nm->iItem);
            SetColumnWidth(nm->iItem, width);
            return 0;
        }
        break;
    }
    }
    return Control::wndProc(msg, wp, lp);
}

void TCustomEnhListView::EditLabel(int row) {
    if (!hwnd() || row < 0) return;
    SetFocus(hwnd());
    SendMessageA(hwnd(), LVM_EDITLABELA, static_cast<WPARAM>(row), 0);
}

LRESULT TCustomEnhListView::reflected(UINT msg, WPARAM wp, LPARAM lp, bool& handled) {
    if (msg == WM_NOTIFY) {
        auto* hdr = reinterpret_cast<NMHDR*>(lp);
        beforeOwnInputHandling(hdr->code, lp);
        if (hdr->code == LVN_COLUMNCLICK) {
            handled = true;
            ColumnClick(reinterpret_cast<NMLISTVIEW*>(lp)->iSubItem);
            return 0;
        }
        switch (hdr->code) {
        case LVN_BEGINLABELEDITA: {
            handled = true;
            bool allow = true;
            if (OnEditing) OnEditing(*this, reinterpret_cast<NMLVDISPINFOA*>(lp)->item.iItem, allow);
            return allow ? FALSE : TRUE;
        }
        case LVN_ENDLABELEDITA: {
            handled = true;
            LVITEMA& item = reinterpret_cast<NMLVDISPINFOA*>(lp)->item;
            if (!item.pszText) return FALSE;  // cancelled
            std::string text = item.pszText;
            bool accept = true;
            if (OnEdited) OnEdited(*this, item.iItem, text, accept);
            return accept ? TRUE : FALSE;
        }
        case LVN_ITEMCHANGED: {
            auto* nm = reinterpret_cast<NMLISTVIEW*>(lp);
            if (OnChange && (nm->uChanged & LVIF_STATE)) OnChange(*this, nm->iItem);
            break;
        }
        }
        if (hdr->code == LVN_BEGINDRAG) {
            dragged_ = true;
            int row = rowAt(mouseDown_);
            if (row >= 0) {
                POINT origin{};
                auto images = reinterpret_cast<HIMAGELIST>(
                    SendMessageA(hwnd(), LVM_CREATEDRAGIMAGE, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&origin)));
                RECT r{};
                r.left = LVIR_BOUNDS;
                SendMessageA(hwnd(), LVM_GETITEMRECT, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&r));
                setDragImages(images);
                dragHotSpot_ = {mouseDown_.x - r.left, mouseDown_.y - r.top};
            }
            if (OnStartDrag) OnStartDrag(*this, reinterpret_cast<NMLISTVIEW*>(lp)->iItem);
            return 0;
        }
    }
    if (msg == WM_DRAWITEM && lvStyle_ == TLVStyle::lvOwnerDrawFixed) {
        handled = true;
        drawItem(*reinterpret_cast<DRAWITEMSTRUCT*>(lp));
        return TRUE;
    }
    return Control::reflected(msg, wp, lp, handled);
}

void TCustomEnhListView::drawItem(DRAWITEMSTRUCT& d) {
    HDC dc = d.hDC;
    int saved = SaveDC(dc);
    SelectObject(dc, font());
    bool defaultDrawing = true;
    if (OnDrawItem) {
        defaultDrawing = false;
        OnDrawItem(*this, dc, static_cast<int>(d.itemID), d.rcItem, d.itemState, defaultDrawing);
    }
    if (defaultDrawing) {
        RECT r = d.rcItem;
        FillRect(dc, &r, GetSysColorBrush(COLOR_WINDOW));
        int row = static_cast<int>(d.itemID);
        if (row >= 0) {
            int imageWidth = 0, imageHeight = 0;
            if (smallImages_) ImageList_GetIconSize(smallImages_, &imageWidth, &imageHeight);
            bool selected = (d.itemState & ODS_SELECTED) != 0;
            RECT body = r;
            if (smallImages_) body.left += imageWidth + 2;
            if (selected) {
                FillRect(dc, &body, GetSysColorBrush(COLOR_HIGHLIGHT));
                SetTextColor(dc, GetSysColor(COLOR_HIGHLIGHTTEXT));
            } else {
                SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
            }
            SetBkMode(dc, TRANSPARENT);
            const UINT format = DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX;  // 0x824
            int x = r.left;
            for (int c = 0; c < std::max(1, ColumnCount()); ++c) {
                int w = ColumnWidth(c);
                RECT cell{x, r.top, x + w, r.bottom};
                if (c == 0) {
                    if (smallImages_) {
                        UINT drawStyle = (d.itemState & ODS_FOCUS) ? ILD_FOCUS : selected ? ILD_SELECTED : ILD_NORMAL;
                        LVITEMA it{};
                        it.mask = LVIF_IMAGE;
                        it.iItem = row;
                        SendMessageA(hwnd(), LVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&it));
                        ImageList_Draw(smallImages_, it.iImage, dc, r.left + kIconLeft, r.top, drawStyle);
                        cell.left = r.left + kTextAfterIcon;
                    } else {
                        cell.left += kTextMargin;
                    }
                } else {
                    cell.left += kTextMargin;
                }
                std::string text = ItemText(row, c);
                DrawTextA(dc, text.c_str(), static_cast<int>(text.size()), &cell, format);
                x += w;
            }
            if (d.itemState & ODS_FOCUS) DrawFocusRect(dc, &body);
        }
        if (OnAfterDefaultDrawItem) OnAfterDefaultDrawItem(*this, dc, row, d.rcItem, d.itemState);
    }
    RestoreDC(dc, saved);
}

}  // namespace kv::ui
