#pragma once
// The main item list: a virtual list view whose rows are the browser's
// records, with the disk or file column set and the icons of the icon cache.
#include <array>
#include <functional>
#include <string>

#include "controls/IconRules.h"
#include "controls/VirtualListView.h"
#include "shell/browse/BrowsePorts.h"
#include "shell/browse/ColumnLayout.h"
#include "shell/browse/ItemCells.h"

namespace kv {

class CatalogBrowser;

class ItemListWin32 : public ItemListPort {
public:
    // Binds the host's list control; fileIcon gives the icon of a file name
    // (the icon cache) and may be empty.
    ItemListWin32(const ItemIcons& icons, std::function<int(std::string_view)> fileIcon, ui::TExtListView& list);
    ~ItemListWin32() override;

    ui::TExtListView& control() { return list_; }
    void setBrowser(CatalogBrowser* browser) { browser_ = browser; }

    // The cell provider of every item list: Item < 0 takes the record from
    // Param. Other lists call it with their own record and column kind.
    void cellInfo(const ItemHead* rec, std::uint8_t kind, ui::TLVVMMaskItems mask, int& image, std::string& text) const;

    // The kept layouts of the disk and the file columns: read at start, applied
    // when the list switches, read back from the list before it switches and
    // when they are stored.
    void loadLayouts(const SectionStore& store);
    bool saveLayouts(SectionStore& store);
    const ColumnsRecord& layout(bool diskList) const { return layouts_[diskList ? 0 : 1]; }
    // The layout as the list shows it now (read back when those columns show).
    ColumnsRecord currentLayout(bool diskList);
    // A layout chosen by the user: kept, and applied when those columns show.
    void setLayout(bool diskList, const ColumnsRecord& record);
    bool showsDisks() const { return columnSet_ == 1; }

    // ItemListPort
    void setColumnSet(bool diskList) override;
    void applyLayout(bool diskList) override;
    void autoSizeColumns() override;
    void setRowCount(std::size_t count) override;
    void focusRow(std::size_t row, bool focusOnly) override;
    void deselectAll() override;
    void setRowSelected(std::size_t row, bool selected) override;
    std::ptrdiff_t focusedRow() const override;
    std::vector<std::size_t> selectedRows() const override;
    void repaint() override;
    void takeFocus() override;
    void editLabel(std::size_t row) override;

private:
    void setRowState(std::ptrdiff_t row, UINT state, UINT mask);
    void syncLayout();

    std::array<ColumnsRecord, 2> layouts_{DefaultColumnsRecord(ColumnsList::MainDisks),
                                          DefaultColumnsRecord(ColumnsList::MainFiles)};

    const ItemIcons& icons_;
    std::function<int(std::string_view)> fileIcon_;
    ui::TExtListView& list_;
    CatalogBrowser* browser_ = nullptr;
    int columnSet_ = -1;  // 1 disk list, 0 file list
};

}  // namespace kv
