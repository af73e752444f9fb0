#include "shell/browse/ItemListWin32.h"

#include "controls/ListHelpers.h"
#include "shell/browse/CatalogBrowser.h"
#include "shell/browse/ItemColumns.h"
#include "shell/browse/ListLayoutWin32.h"
#include "shell/browse/NodeImages.h"

namespace kv {

namespace {

int alignmentOf(ColumnAlign a) {
    switch (a) {
    case ColumnAlign::Right: return LVCFMT_RIGHT;
    case ColumnAlign::Centre: return LVCFMT_CENTER;
    case ColumnAlign::Left: break;
    }
    return LVCFMT_LEFT;
}

}  // namespace

ItemListWin32::ItemListWin32(const ItemIcons& icons, std::function<int(std::string_view)> fileIcon,
                             ui::TExtListView& list)
    : icons_(icons), fileIcon_(std::move(fileIcon)), list_(list) {
    list_.EditLabels = true;
    if (!list_.VirtualMode())
        list_.SetVirtualMode(true);
    else if (list_.hwnd())
        list_.recreateWnd();  // for the label-editing style
    list_.SetExtendedStyles(ui::lvxFullRowSelect | ui::lvxHeaderDragDrop);
    list_.OnVMGetItemInfo = [this](ui::TExtListView&, int item, int subItem, ui::TLVVMMaskItems mask, int& image,
                                   LPARAM& param, int&, int& indent, std::string& text) {
        const ItemHead* rec = nullptr;
        if (item < 0)
            rec = reinterpret_cast<const ItemHead*>(param);
        else if (browser_)
            rec = browser_->recordAt(item);
        if (mask & ui::vmParam)
            param = 0;
        if (mask & ui::vmIndent)
            indent = 0;
        if (!rec) {
            image = -1;
            text.clear();
            return;
        }
        cellInfo(rec, TranslateColumn(ItemListKind::Main, subItem, rec), subItem == 0 ? mask : mask & ~ui::vmImage,
                 image, text);
    };
    list_.OnVMFindItem = [this](ui::TExtListView&, NMLVFINDITEMA& find, int& found) {
        found = -1;
        if (browser_ && (find.lvfi.flags & (LVFI_STRING | LVFI_PARTIAL)) && find.lvfi.psz)
            found = static_cast<int>(browser_->findNext(find.lvfi.psz, find.iStart < 0 ? 0 : static_cast<std::size_t>(find.iStart)));
    };
}

ItemListWin32::~ItemListWin32() {
    list_.OnVMGetItemInfo = nullptr;
    list_.OnVMFindItem = nullptr;
}

void ItemListWin32::cellInfo(const ItemHead* rec, std::uint8_t kind, ui::TLVVMMaskItems mask, int& image,
                             std::string& text) const {
    if (mask & ui::vmText) {
        const CellContext ctx = browser_ ? browser_->cellContext() : CellContext{};
        text = kind == ColumnKind::Empty ? std::string() : CellText(rec, kind, ctx);
    }
    if (mask & ui::vmImage)
        image = RowImage(rec, icons_, browser_ ? browser_->upRecord() : nullptr, fileIcon_);
}

void ItemListWin32::setColumnSet(bool diskList) {
    if (columnSet_ == static_cast<int>(diskList))
        return;
    syncLayout();
    columnSet_ = diskList;
    if (list_.hwnd())
        SendMessageA(list_.hwnd(), WM_SETREDRAW, FALSE, 0);
    list_.ClearColumns();
    for (const ListColumn& c : diskList ? DiskListColumns() : FileListColumns())
        list_.AddColumn(std::string(c.caption), LVSCW_AUTOSIZE_USEHEADER, alignmentOf(c.align));
    if (list_.hwnd())
        SendMessageA(list_.hwnd(), WM_SETREDRAW, TRUE, 0);
}

void ItemListWin32::loadLayouts(const SectionStore& store) {
    layouts_ = {ReadColumnsRecord(store, ColumnsList::MainDisks), ReadColumnsRecord(store, ColumnsList::MainFiles)};
}

bool ItemListWin32::saveLayouts(SectionStore& store) {
    syncLayout();
    const bool disks = WriteColumnsRecord(store, ColumnsList::MainDisks, layouts_[0]);
    return WriteColumnsRecord(store, ColumnsList::MainFiles, layouts_[1]) && disks;
}

ColumnsRecord ItemListWin32::currentLayout(bool diskList) {
    if (columnSet_ == static_cast<int>(diskList))
        syncLayout();
    return layouts_[diskList ? 0 : 1];
}

void ItemListWin32::setLayout(bool diskList, const ColumnsRecord& record) {
    layouts_[diskList ? 0 : 1] = record;
    applyLayout(diskList);
}

void ItemListWin32::syncLayout() {
    if (columnSet_ >= 0)
        ReadListLayout(list_, layouts_[columnSet_ == 1 ? 0 : 1]);
}

void ItemListWin32::applyLayout(bool diskList) {
    // Only the layout of the columns the list shows.
    if (columnSet_ != static_cast<int>(diskList))
        return;
    ApplyListLayout(list_, diskList ? ColumnsList::MainDisks : ColumnsList::MainFiles, layouts_[diskList ? 0 : 1]);
}

void ItemListWin32::autoSizeColumns() { ui::AutoSizeListColumns(list_); }

void ItemListWin32::setRowCount(std::size_t count) {
    list_.SetItemCountEx(static_cast<int>(count), ui::lvsicfNoScroll);
}

void ItemListWin32::setRowState(std::ptrdiff_t row, UINT state, UINT mask) {
    if (!list_.hwnd())
        return;
    LVITEMA it{};
    it.stateMask = mask;
    it.state = state;
    SendMessageA(list_.hwnd(), LVM_SETITEMSTATE, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&it));
}

void ItemListWin32::focusRow(std::size_t row, bool focusOnly) {
    const UINT mask = LVIS_FOCUSED | LVIS_SELECTED | LVIS_CUT | LVIS_DROPHILITED;
    setRowState(static_cast<std::ptrdiff_t>(row), focusOnly ? LVIS_FOCUSED : LVIS_FOCUSED | LVIS_SELECTED, mask);
    if (list_.hwnd())
        SendMessageA(list_.hwnd(), LVM_ENSUREVISIBLE, static_cast<WPARAM>(row), FALSE);
}

// Row by row, or by a recount for many: Wine's all-rows call visits every row.
void ItemListWin32::deselectAll() { list_.ClearRowStates(); }

void ItemListWin32::setRowSelected(std::size_t row, bool selected) {
    setRowState(static_cast<std::ptrdiff_t>(row), selected ? LVIS_SELECTED : 0, LVIS_SELECTED);
}

std::ptrdiff_t ItemListWin32::focusedRow() const { return list_.FocusedRow(); }

std::vector<std::size_t> ItemListWin32::selectedRows() const {
    std::vector<std::size_t> rows;
    if (!list_.hwnd())
        return rows;
    for (int row : list_.SelectedRows())
        rows.push_back(static_cast<std::size_t>(row));
    return rows;
}

void ItemListWin32::repaint() {
    if (list_.hwnd())
        InvalidateRect(list_.hwnd(), nullptr, FALSE);
}

void ItemListWin32::takeFocus() { list_.setFocus(); }

void ItemListWin32::editLabel(std::size_t row) { list_.EditLabel(static_cast<int>(row)); }

}  // namespace kv
