#include "search/compare/CompareFormWin32.h"

#include <algorithm>
#include <atomic>

#include "base/Errors.h"
#include "base/text/SizeFormat.h"
#include "controls/ListHelpers.h"
#include "scan/ArchiveTypes.h"
#include "search/results/ToolWindowWin32.h"
#include "ui/Application.h"
#include "ui/PlaceControl.h"
#include "ui/IconOutline.h"
#include "ui/SystemHelpers.h"

namespace kv {

namespace {

constexpr const char* kPlacementName = "CompareWndPos";
constexpr unsigned long kCompareHelp = 23;
constexpr int kTopHeight = 50;

constexpr FoundPopupEntry kPopupEntries[] = {
    {"CompareLocateMenu", "Locate in Catalog", FoundAction::Locate},
    {"CompareEditDescMenu", "Edit Description", FoundAction::EditDesc},
    {"CompareExplorerMenu", "Open in Explorer", FoundAction::Explorer},
    {"CompareViewMenu", "View File", FoundAction::View},
    {"CompareLaunchMenu", "Launch File", FoundAction::Launch},
    {"CompareCopyToMenu", "Copy To...", FoundAction::CopyTo},
    {"CompareExtractMenu", "Extract To...", FoundAction::Extract},
    {"CompareSetCatMenu", "Set Category and Flags", FoundAction::SetCategory},
    {"CompareAddListMenu", "Add to User List", FoundAction::AddList},
    {"N1", "-", FoundAction::None},
    {"ComparePropertiesMenu", "Properties", FoundAction::Properties},
};

}  // namespace

TCompareForm::TCompareForm(CompareFormServices services) : services_(std::move(services)) {
    setCaption("Compare to Media");
    helpContext = kCompareHelp;
    setBounds(100, 100, 640, 420);
    createHandle();
    BuildControls();
    RestoreToolWindowPlaces(*this, kPlacementName, services_.placementKey);
}

TCompareForm::~TCompareForm() { SaveToolWindowPlaces(*this, kPlacementName, services_.placementKey); }

void TCompareForm::BuildControls() {
    StatusBar.setPanels({{"", 120}, {"", 250}, {"", 180}});
    StatusBar.setSizeGrip(true);
    StatusBar.setAlign(ui::Align::Bottom);
    StatusBar.create(this);
    StatusBar.onResize = [this](ui::Control&) {
        const RECT r = StatusBar.clientRect();
        StatusBar.setPanelWidth(1, std::max<int>(0, static_cast<int>(r.right - r.left) - StatusBar.panelWidth(0) -
                                                         StatusBar.panelWidth(2)));
    };
    StatusBar.onPanelClick = [this](ui::StatusBar&, int panel) {
        if (panel == 1)
            RunCompareAction(FoundAction::Properties);
    };

    TabSet.setAlign(ui::Align::Bottom);
    ui::Put(TabSet, *this, 0, 0, 600, 26);
    TabSet.onChange = [this](ui::TabStrip&) { ShowCategory(TabSet.tabIndex()); };

    TopPanel.setAlign(ui::Align::Top);
    ui::Put(TopPanel, *this, 0, 0, 600, kTopHeight);
    ui::Put(DescLabel, TopPanel, 8, 6, 500, 16);
    ui::Put(ItemsCombo, TopPanel, 8, 24, 400, 200);
    ItemsCombo.onChange = [this](ui::ComboBox&) {
        if (ItemsCombo.itemIndex() >= 0 && ItemsCombo.itemIndex() != category_)
            ShowCategory(ItemsCombo.itemIndex());
    };
    ui::Put(CloseBtn, TopPanel, 520, 22, 75, 25, "Close");
    CloseBtn.onClick = [this](ui::Button&) { close(); };
    setCancelControl(&CloseBtn);
    TopPanel.onResize = [this](ui::Control&) { PlaceTop(); };

    const ToolWindowDocks docks = MakeToolWindowDocks(*this, "CompareDock", "CompareToolbar", "Compare");
    CompareDockTop = docks.top;
    CompareDockBottom = docks.bottom;
    CompareDockLeft = docks.left;
    CompareDockRight = docks.right;
    CompareToolbar = docks.toolbar;
    Buttons.Create(*CompareToolbar, CompareToolbarButtons(), CompareToolbarBevelTags(), services_.buttonSize,
                   services_.oldButtons);
    Buttons.onButton = [this](const SearchButton& info, ui::SpeedButton&) {
        if (info.viewStyle != 0)
            SetListViewStyle(CompareListView, info.viewStyle);
        else
            RunCompareAction(info.action);
    };

    for (const CompareListColumn& c : kCompareListColumns)
        CompareListView.AddColumn(c.caption, c.width, c.rightAligned ? LVCFMT_RIGHT : LVCFMT_LEFT);
    CompareListView.SetVirtualMode(true);
    CompareListView.setAlign(ui::Align::Client);
    CompareListView.create(this);
    CompareListView.OnVMGetItemInfo = [this](ui::TExtListView&, int item, int sub, ui::TLVVMMaskItems mask, int& image,
                                             LPARAM&, int&, int&, std::string& text) {
        CellInfo(item, sub, mask, image, text);
    };
    CompareListView.OnColumnClick = [this](ui::TCustomEnhListView&, int column) { ColumnClick(column); };
    CompareListView.OnItemActivate = [this](ui::TExtListView&) { DblClick(); };
    CompareListView.onKeyDown = [this](ui::Control&, WORD& key, UINT shift) { KeyDown(key, shift); };
    CompareListView.OnChange = [this](ui::TCustomEnhListView&, int) { RefreshPending = true; };
    CompareListView.OnVMStateChanged = [this](ui::TExtListView&, NMLVODSTATECHANGE&) { RefreshPending = true; };
    CompareListPopup.Create(kPopupEntries, [this](FoundAction action) { return Buttons.Glyph(action); },
                            [this](FoundAction action) { RunCompareAction(action); });
    CompareListPopup.Menu().OnPopup = [this](ui::PopupMenu&) { PreparePopup(); };
    CompareListView.popupMenu = &CompareListPopup.Menu();
    WireDrag();
    realign();
    StatusBar.onResize(StatusBar);
    PlaceTop();
}

void TCompareForm::WireDrag() {
    // Rows with records drag onto the user list; the drop adds the rows selected then.
    CompareListView.OnStartDrag = [this](ui::TCustomEnhListView&, int) {
        const std::vector<ItemHead*> records = SelectedRecords();
        HIMAGELIST image = records.size() == 1 && cells_
                               ? ui::ListIconDragImage(CompareListView.SmallImages(), cells_->CellImage(*records.front()))
                               : nullptr;
        drag_.StartRows(CompareListView, records.size(), image);
    };
    drag_.Carry(CompareListView);
    drag_.Session().onDragOver = [this](HWND target, POINT) { return DropsOn(target); };
    drag_.Session().onDrop = [this](HWND target, POINT) {
        if (DropsOn(target))
            RunCompareAction(FoundAction::AddList);
    };
}

bool TCompareForm::DropsOn(HWND target) {
    return DropsOnUserList(services_.userListDropTarget, target, Buttons.Button(FoundAction::AddList));
}

void TCompareForm::PlaceTop() {
    const RECT r = TopPanel.clientRect();
    const int width = static_cast<int>(r.right - r.left);
    CloseBtn.setBounds(std::max(8, width - 83), 22, 75, 25);
    ItemsCombo.setBounds(8, 24, std::max(50, width - 100), 200);
    DescLabel.setBounds(8, 5, std::max(50, width - 16), 16);
}

void TCompareForm::SetCellProvider(const FoundCellProvider* cells, HIMAGELIST smallImages) {
    cells_ = cells;
    CompareListView.SetSmallImages(smallImages);
}

void TCompareForm::SetResults(CompareResults results, const std::string& description) {
    results_ = std::move(results);
    setCaption(results_.CheckMode ? "Compare Files To Catalog" : "Compare to Media");
    if (results_.CheckMode)
        helpContext = 24;
    DescLabel.setText(description);
    std::vector<std::string> combo;
    std::vector<std::string> tabs;
    for (int c = 0; c <= results_.CategoryCount; ++c) {
        const int row = CategoryRow(results_.CheckMode, c);
        combo.push_back(CategoryComboText(row, results_.Count(c)));
        tabs.push_back(CategoryTabText(row, results_.Count(c)));
    }
    sortColumn_.fill(0);
    descending_.fill(false);
    ItemsCombo.setItems(combo);
    TabSet.setTabs(tabs);
    category_ = -1;
    ShowCategory(0);
}

std::vector<ItemHead*>* TCompareForm::RecordList() {
    return category_ > 0 ? &results_.Lists[static_cast<std::size_t>(category_)] : nullptr;
}

const std::vector<ItemHead*>* TCompareForm::RecordList() const {
    return category_ > 0 ? &results_.Lists[static_cast<std::size_t>(category_)] : nullptr;
}

std::size_t TCompareForm::RowCount() const { return category_ >= 0 ? results_.Count(category_) : 0; }

void TCompareForm::ShowCategory(int category) {
    if (category < 0 || category > results_.CategoryCount)
        return;
    category_ = category;
    CompareListView.ClearRowStates();
    CompareListView.SetItemCountEx(static_cast<int>(RowCount()), ui::lvsicfNoScroll);
    if (ItemsCombo.itemIndex() != category)
        ItemsCombo.setItemIndex(category);
    if (TabSet.tabIndex() != category)
        TabSet.setTabIndex(category);
    if (RowCount() > 0) {
        LVITEMA state{};
        state.stateMask = LVIS_FOCUSED | LVIS_SELECTED;
        state.state = LVIS_FOCUSED | LVIS_SELECTED;
        SendMessageA(CompareListView.hwnd(), LVM_SETITEMSTATE, 0, reinterpret_cast<LPARAM>(&state));
    }
    InvalidateRect(CompareListView.hwnd(), nullptr, TRUE);
    UpdateCompareStatus();
    ui::AutoSizeListColumns(CompareListView);
}

void TCompareForm::CellInfo(int row, int column, ui::TLVVMMaskItems mask, int& image, std::string& text) {
    if (row < 0 || static_cast<std::size_t>(row) >= RowCount())
        return;
    if (category_ == kCategoryNew) {
        TMediaFileEntry& entry = results_.NewEntries[static_cast<std::size_t>(row)];
        if (mask & ui::vmText)
            text = MediaEntryCell(results_, entry, column, services_.mediaCells);
        if (mask & ui::vmImage) {
            // Looked up once, when the row is first drawn (-2: the lookup found none).
            if (entry.IconIndex == -1 && services_.fileIcon) {
                const int icon = services_.fileIcon(entry.Name);
                entry.IconIndex = static_cast<std::int16_t>(icon < 0 || icon > 32767 ? -2 : icon);
            }
            image = column == 0 && entry.IconIndex >= 0 ? entry.IconIndex : -1;
        }
        return;
    }
    const ItemHead* rec = (*RecordList())[static_cast<std::size_t>(row)];
    if (mask & ui::vmText)
        text = rec && cells_ ? cells_->CellText(*rec, column) : std::string();
    if (mask & ui::vmImage)
        image = rec && cells_ && column == 0 ? cells_->CellImage(*rec) : -1;
}

void TCompareForm::ColumnClick(int column) {
    if (column < 0) {
        if (services_.columnsSetup)
            services_.columnsSetup();
        return;
    }
    if (column >= kCompareColumnCount || RowCount() == 0)
        return;
    ui::ScopedHourglass hourglass;
    const std::size_t c = static_cast<std::size_t>(category_);
    const bool reverse = sortColumn_[c] == column;
    descending_[c] = reverse ? !descending_[c] : false;
    sortColumn_[c] = column;
    if (category_ == kCategoryNew) {
        if (reverse)
            std::reverse(results_.NewEntries.begin(), results_.NewEntries.end());
        else
            SortMediaEntries(results_.NewEntries, results_, column, false);
    } else if (reverse) {
        std::reverse(RecordList()->begin(), RecordList()->end());
    } else if (cells_) {
        std::atomic<bool> cancel{false};
        cells_->SortItems(*RecordList(), column, false, cancel, {});
    }
    CompareListView.ClearRowStates();
    InvalidateRect(CompareListView.hwnd(), nullptr, TRUE);
    UpdateCompareStatus();
}

std::vector<int> TCompareForm::SelectedRows() const { return CompareListView.SelectedRows(); }

ItemHead* TCompareForm::FocusedRecord() const {
    const int row = CompareListView.FocusedRow();
    const std::vector<ItemHead*>* list = RecordList();
    return list && row >= 0 && static_cast<std::size_t>(row) < list->size() ? (*list)[static_cast<std::size_t>(row)]
                                                                            : nullptr;
}

std::vector<ItemHead*> TCompareForm::SelectedRecords() const {
    std::vector<ItemHead*> records;
    const std::vector<ItemHead*>* list = RecordList();
    if (!list)
        return records;
    for (int row : SelectedRows())
        if (row >= 0 && static_cast<std::size_t>(row) < list->size())
            records.push_back((*list)[static_cast<std::size_t>(row)]);
    return records;
}

FoundActionStates TCompareForm::CompareButtonStates() const {
    const std::vector<ItemHead*> selected = SelectedRecords();
    const std::vector<const ItemHead*> rows(selected.begin(), selected.end());
    FoundActionStates states =
        EnableCompareActions(category_, results_.CheckMode, {FocusedRecord(), rows, RowCount(), false},
                             [](std::string_view name) { return IsSupportedArchive(name); });
    states[FoundAction::Report] = states[FoundAction::Report] && services_.reportOfList != nullptr;
    return states;
}

void TCompareForm::UpdateButtons() {
    EnableActionButtons(CompareToolbarButtons(), CompareButtonStates(), true,
                        [this](FoundAction action) { return Buttons.Button(action); });
}

void TCompareForm::UpdateCompareStatus() {
    UpdateButtons();
    RefreshPending = false;
    if (!StatusBar.hwnd())
        return;
    StatusBar.setPanelText(0, "Total files: " + std::to_string(RowCount()));
    if (category_ == kCategoryNew) {
        const int focused = CompareListView.FocusedRow();
        std::string line;
        if (focused >= 0 && static_cast<std::size_t>(focused) < results_.NewEntries.size()) {
            const TMediaFileEntry& e = results_.NewEntries[static_cast<std::size_t>(focused)];
            line = e.Name + "\t (file), " + FormatSize(e.Size) + " " +
                   MediaEntryCell(results_, e, kCompareDate, services_.mediaCells);
        }
        StatusBar.setPanelText(1, line);
        const std::vector<int> rows = SelectedRows();
        std::uint64_t bytes = 0;
        for (int row : rows)
            if (row >= 0 && static_cast<std::size_t>(row) < results_.NewEntries.size())
                bytes += results_.NewEntries[static_cast<std::size_t>(row)].Size;
        const std::size_t n = rows.empty() ? results_.NewEntries.size() : rows.size();
        if (rows.empty())
            for (const TMediaFileEntry& e : results_.NewEntries)
                bytes += e.Size;
        StatusBar.setPanelText(2, std::string(rows.empty() ? "Total: " : "Selected: ") + std::to_string(n) + " file" +
                                      (n == 1 ? "" : "s") + ", " + FormatSize(bytes));
        return;
    }
    ItemHead* focused = FocusedRecord();
    StatusBar.setPanelText(1, focused && services_.summary ? services_.summary(*focused) : std::string());
    StatusBar.setPanelText(2, services_.totals && RecordList() ? services_.totals(*RecordList()) : std::string());
}

void TCompareForm::RunCompareAction(FoundAction action) {
    if (action == FoundAction::None || !CompareButtonStates()[action])
        return;
    ItemHead* focused = FocusedRecord();
    std::vector<ItemHead*> selected = SelectedRecords();
    switch (action) {
    case FoundAction::Locate:
        if (services_.locator && focused) {
            services_.locator->GoToItem(*focused);
            close();
        }
        break;
    case FoundAction::Report: services_.reportOfList(); break;
    default:
        RunItemCommand(services_.commands, action, selected, focused);
        if (action == FoundAction::AddList)
            UpdateButtons();
        if ((action == FoundAction::AddList || action == FoundAction::SetCategory) && services_.listChanged)
            services_.listChanged();
        break;
    }
    InvalidateRect(CompareListView.hwnd(), nullptr, FALSE);
}

void TCompareForm::DblClick() {
    RunCompareAction(FocusedDoubleClickAction(services_.doubleClickAction, FocusedRecord()));
}

void TCompareForm::PreparePopup() {
    if (services_.idleUpdate)
        services_.idleUpdate();
    UpdateCompareStatus();
    CompareListPopup.Prepare(CompareButtonStates(),
                             FocusedPopupDefault(services_.doubleClickAction, FocusedRecord()));
}

void TCompareForm::KeyDown(WORD& key, UINT shift) {
    // Ctrl+T, Alt+Enter and F4 as in the other lists; the window's own keys below.
    FoundAction action = SharedKeyAction(key, shift);
    if (shift == ui::kCtrl) {
        switch (key) {
        case 'E': action = FoundAction::EditDesc; break;
        case 'P': action = FoundAction::Properties; break;
        case 'I': action = FoundAction::View; break;
        case 'L': action = FoundAction::AddList; break;
        case 'R': action = FoundAction::Report; break;
        case VK_PRIOR:
        case VK_NEXT:
            ShowCategory(StepCategory(category_, results_.CategoryCount, key == VK_NEXT ? 1 : -1));
            key = 0;
            return;
        default: break;
        }
    } else if (key == VK_RETURN && shift == 0) {
        DblClick();
        key = 0;
        return;
    } else if (key == VK_ESCAPE && shift == 0) {
        close();
        key = 0;
        return;
    }
    if (action != FoundAction::None) {
        RunCompareAction(action);
        key = 0;
    }
}

TWaitCompareForm::TWaitCompareForm() {
    setCaption("Please wait");
    setBorderStyle(ui::BorderStyle::Dialog);
    setBorderIcons(0);
    setBounds(200, 200, 320, 150);
    setPosition(ui::FormPosition::ScreenCenter);
    createHandle();
    ui::Put(WaitLabel, *this, 12, 10, 290, 16);
    static constexpr const char* kCaptions[] = {"New Files:", "Changed Files:", "Deleted Files:", "Unchanged Files:"};
    ui::Label* values[] = {&NewLabel, &ChangedLabel, &DeletedLabel, &SameLabel};
    for (int i = 0; i < 4; ++i) {
        ui::Put(captions_[i], *this, 24, 36 + i * 18, 120, 16, kCaptions[i]);
        ui::Put(*values[i], *this, 150, 36 + i * 18, 120, 16, "0");
    }
}

void TWaitCompareForm::ShowWaitCompare(const std::string& text) {
    WaitLabel.setText(text);
    show();
    ui::Application::instance().processMessages();
}

void TWaitCompareForm::ShowCounts(const CompareResults& partial, bool deletedPhase) {
    NewLabel.setText(std::to_string(partial.Count(kCategoryNew)));
    ChangedLabel.setText(std::to_string(partial.Count(kCategoryChanged)));
    if (deletedPhase)
        DeletedLabel.setText(std::to_string(partial.Count(kCategoryDeleted)));
    SameLabel.setText(std::to_string(partial.Count(kCategorySame)));
}

}  // namespace kv
