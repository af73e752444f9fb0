#pragma once
// The compare window: the result of Compare to Media or of the file check, one
// category at a time (combo box and tabs), its rows acted on as the search
// hits are. Made for one run and shown modally.
#include <array>
#include <functional>
#include <span>
#include <string>

#include "controls/ItemDrag.h"
#include "controls/VirtualListView.h"
#include "controls/docks/DockSiteWin32.h"
#include "controls/docks/DockToolbarWin32.h"
#include "search/compare/CompareView.h"
#include "search/results/FoundColumns.h"
#include "search/results/FoundItemCommands.h"
#include "search/results/ResultList.h"
#include "search/results/ToolWindowWin32.h"
#include "search/userlist/DockButtonsWin32.h"
#include "search/window/FoundPopupWin32.h"
#include "ui/Button.h"
#include "ui/Form.h"
#include "ui/ItemLists.h"
#include "ui/Label.h"
#include "ui/Panel.h"
#include "ui/StatusBar.h"
#include "ui/TabStrip.h"

namespace kv {

struct CompareFormServices : ToolWindowServices {
    MediaCellFormats mediaCells;
    // Whether a window is the user list's list, where rows dragged from here drop.
    std::function<bool(HWND target)> userListDropTarget;
    // The shared small images' icon of a file by its name; none: files found on disk show no icon.
    std::function<int(const std::string& name)> fileIcon;
};

class TCompareForm : public ui::Form {
public:
    explicit TCompareForm(CompareFormServices services);
    ~TCompareForm() override;

    // Record rows' cells, icons and order come from the main window.
    void SetCellProvider(const FoundCellProvider* cells, HIMAGELIST smallImages);
    // Takes the run's results and shows its first category.
    void SetResults(CompareResults results, const std::string& description);
    const CompareResults& Results() const { return results_; }
    int CurrentCategory() const { return category_; }
    void ShowCategory(int category);

    FoundActionStates CompareButtonStates() const;
    void RunCompareAction(FoundAction action);
    void UpdateCompareStatus();
    bool RefreshPending = false;
    // Rows dragged onto the user list.
    ui::DragSession& Drag() { return drag_.Session(); }

    ui::Panel TopPanel;
    ui::Label DescLabel;
    ui::ComboBox ItemsCombo;
    ui::Button CloseBtn;
    ui::TDockSite* CompareDockTop = nullptr;
    ui::TDockSite* CompareDockBottom = nullptr;
    ui::TDockSite* CompareDockLeft = nullptr;
    ui::TDockSite* CompareDockRight = nullptr;
    ui::TDockToolbar* CompareToolbar = nullptr;
    DockButtonsWin32 Buttons;
    ui::TabStrip TabSet;
    ui::TExtListView CompareListView;
    ui::StatusBar StatusBar;
    FoundPopupWin32 CompareListPopup;

private:
    void BuildControls();
    void PlaceTop();
    void CellInfo(int row, int column, ui::TLVVMMaskItems mask, int& image, std::string& text);
    void ColumnClick(int column);
    void KeyDown(WORD& key, UINT shift);
    void DblClick();
    void PreparePopup();
    void UpdateButtons();
    void WireDrag();
    bool DropsOn(HWND target);
    std::vector<ItemHead*>* RecordList();
    const std::vector<ItemHead*>* RecordList() const;
    std::size_t RowCount() const;
    ItemHead* FocusedRecord() const;
    std::vector<ItemHead*> SelectedRecords() const;
    std::vector<int> SelectedRows() const;

    CompareFormServices services_;
    CompareResults results_;
    const FoundCellProvider* cells_ = nullptr;
    int category_ = 0;
    std::array<int, 4> sortColumn_{};
    std::array<bool, 4> descending_{};
    ui::ItemDrag drag_;
};

// The small box with live counters around Compare to Media.
class TWaitCompareForm : public ui::Form {
public:
    TWaitCompareForm();
    void ShowWaitCompare(const std::string& text);
    // The counters from the results so far (Deleted once that phase began).
    void ShowCounts(const CompareResults& partial, bool deletedPhase);

    ui::Label WaitLabel;
    ui::Label NewLabel, ChangedLabel, DeletedLabel, SameLabel;

private:
    ui::Label captions_[4];
};

}  // namespace kv
