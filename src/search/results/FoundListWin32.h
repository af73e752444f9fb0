#pragma once
// The found list of the search window: a virtual list view over the current
// result list, with removing, clearing and going to a hit in the catalog.
#include <functional>
#include <optional>
#include <vector>

#include "controls/ItemDrag.h"
#include "controls/VirtualListView.h"
#include "search/results/FoundColumns.h"
#include "search/results/ResultList.h"
#include "ui/UserPrompt.h"

namespace kv {

class FoundListWin32 {
public:
    struct Services {
        ui::UserPrompt* prompt = nullptr;
        IItemLocator* locator = nullptr;
        // False while a search runs: the list's own commands are refused then.
        std::function<bool()> mayChange;
        // After the rows changed (status texts, buttons).
        std::function<void()> changed;
        // A click on the header past the last column: the columns setup.
        std::function<void()> columnsSetup;
        // Drags of the selected rows: may they drop on this window of the
        // program, and the drop. None: the rows do not drag.
        std::function<bool(HWND target)> mayDropOn;
        std::function<void(HWND target)> dropped;
    };

    FoundListWin32();
    void Create(ui::Control& parent, Services services);
    ui::TExtListView& View() { return view_; }

    // The main window's cells, icons (indexes into smallImages, and into
    // largeImages for the icon view) and order; without them the rows show
    // nothing and do not sort.
    void SetCellProvider(const FoundCellProvider* cells, HIMAGELIST smallImages, HIMAGELIST largeImages = nullptr);

    // The list shown; its rows follow its count.
    void SetList(TResultList* list);
    TResultList* List() const { return list_; }
    // Raises or lowers the row count to the list's, without scrolling.
    void SyncRowCount();

    std::optional<std::size_t> FocusedRow() const;
    std::vector<std::size_t> SelectedRows() const;
    // The records of the focused row and of the selected ones.
    ItemHead* FocusedRecord() const;
    std::vector<ItemHead*> SelectedRecords() const;

    // Remove from List (asks); Remove all items (asks when ask is set); Locate in Catalog.
    void BtnDeleteClick();
    void BtnClearClick(bool ask);
    bool LocateFocused();
    // A header click: sorts by the column or reverses; refused while a search
    // runs. The selection stays on the same records. The window takes no input
    // while the sort pumps messages.
    void ColumnClick(int column);
    // A sort is pumping messages: nothing may start a run or change the list.
    bool Sorting() const { return sorting_; }
    // Focuses and selects the row and scrolls it into view.
    void Focus(std::size_t row);
    ui::DragSession& Drag() { return drag_.Session(); }

private:
    void CellInfo(int item, int subItem, ui::TLVVMMaskItems mask, int& image, std::string& text) const;
    void WireTypeAhead();
    void WireDrag();

    ui::TExtListView view_;
    TResultList* list_ = nullptr;
    Services services_;
    const FoundCellProvider* cells_ = nullptr;
    bool sorting_ = false;
    ui::ItemDrag drag_;
};

}  // namespace kv
