// The user list as the main window's tool window: made on first use, kept
// until the main window goes; its records leave it when the catalogs free them.
#include "shell/main/MainFormWin32.h"

#include "catalog/file/CatalogLoad.h"
#include "shell/browse/ItemCells.h"
#include "search/reports/ReportSources.h"
#include "shell/browse/ItemRows.h"
#include "shell/browse/ListLayoutWin32.h"
#include "shell/browse/LocaleFormatsWin32.h"
#include "shell/commands/StatusTexts.h"
#include "shell/settings/SettingsStore.h"
#include "ui/SharedImages.h"

namespace kv {

std::string MainForm::RecordSummaryText(const ItemHead& rec) {
    SummaryServices summary;
    summary.shortDate = LocaleCellFormats().shortDate;
    summary.loadSubfolders = [](Node& node) { LoadSubfolders(&node); };
    return GetItemSummary(ItemName(&rec), &rec, false, summary);
}

std::string MainForm::RecordsTotalsText(std::span<ItemHead* const> items) {
    std::size_t count = 0;
    std::uint64_t bytes = 0;
    for (const ItemHead* rec : items)
        if (rec) {
            ++count;
            bytes += ItemBytes(rec);
        }
    return ListTotalsText(false, count, bytes, LocaleCellFormats().decimalSeparator);
}

// What the user list and the compare window take alike from the main window.
void MainForm::fillToolWindowServices(ToolWindowServices& s) {
    s.locator = this;
    s.commands = this;
    s.placementKey = services_.programKey;
    s.doubleClickAction = [this] { return static_cast<int>(services_.settings.Get().dblClick); };
    s.idleUpdate = [this] { updateCommands(kUpdateAllCommands); };
    s.summary = RecordSummaryText;
    s.totals = RecordsTotalsText;
    s.buttonSize = services_.settings.Get().buttonSize;
    s.oldButtons = services_.settings.Get().oldButtons;
}

TUserListForm& MainForm::userListForm() {
    if (userListForm_)
        return *userListForm_;
    UserListServices s;
    fillToolWindowServices(s);
    s.listChanged = [this] {
        updateCommands(CommandGroup::Item);
        if (searchForm_)
            searchForm_->SetPendingRefresh(2);
    };
    s.columnsSetup = [this] { ColumnsSetupClick(ColumnsList::UserList); };
    s.reportOfList = [this] { OpenReportGenerator(ReportOrigin::UserList); };
    s.listFont = [this] { return list.font(); };
    userListForm_ = std::make_unique<TUserListForm>(std::move(s));
    TUserListForm& form = *userListForm_;

    resultLists_.Attach(&form.List());
    hookResultListRenumbering();
    forest_.context().resultLists = &resultLists_;

    userCells_ = makeListCells(ItemListKind::UserList);
    form.SetCellProvider(userCells_.get(), iconList_ ? SmallImages().handle() : nullptr,
                         iconList_ ? LargeImages().handle() : nullptr);
    ui::TExtListView& view = form.UserListView.View();
    ApplyListLayout(view, ColumnsList::UserList, ReadColumnsRecord(services_.programStore, ColumnsList::UserList));
    const TResultList& list = form.List();
    itemLists_.add(&view, ItemListKind::UserList, [&form, &list](std::ptrdiff_t row) -> const ItemHead* {
        if (row < 0) {
            const std::optional<std::size_t> focused = form.UserListView.FocusedRow();
            return focused ? list.At(*focused) : nullptr;
        }
        return list.At(static_cast<std::size_t>(row));
    });
    hookUserListDrops();
    repaintUserList = [this] {
        if (userListForm_)
            InvalidateRect(userListForm_->UserListView.View().hwnd(), nullptr, TRUE);
    };
    return form;
}

void MainForm::hookUserListDrops() {
    browse_->onDragOver = [this](const DragItems&, HWND target, POINT) {
        return userListForm_ && userListForm_->IsDropTarget(target) &&
               commandStates_[CommandId::AddToUserList].enabled;
    };
    browse_->onDrop = [this](const DragItems& items, HWND target, POINT) {
        if (!userListForm_ || !userListForm_->IsDropTarget(target))
            return;
        std::vector<ItemHead*> records;
        if (items.node && items.rows.empty()) {
            records.push_back(items.node->record());
        } else {
            const ItemHead* up = browse_->browser().upRecord();
            for (const ItemHead* rec : items.rows)
                if (rec && rec != up)
                    records.push_back(const_cast<ItemHead*>(rec));
        }
        AddToUserList(records);
    };
}

void MainForm::closeUserListForm() {
    if (!userListForm_)
        return;
    ColumnsRecord record = ReadColumnsRecord(services_.programStore, ColumnsList::UserList);
    if (ReadListLayout(userListForm_->UserListView.View(), record))
        WriteColumnsRecord(services_.programStore, ColumnsList::UserList, record);
    UnregisterItemList(userListForm_->UserListView.View());
    resultLists_.Detach(ResultSlot::UserList);
    if (!searchForm_)
        forest_.context().resultLists = nullptr;
    repaintUserList = nullptr;
    userListForm_.reset();
}

void MainForm::ViewUserListClick() {
    TUserListForm& form = userListForm();
    form.show();
    SetForegroundWindow(form.hwnd());
}

void MainForm::AddToUserListClick(CommandSource source) {
    const ItemHead* up = browse_->browser().upRecord();
    std::vector<ItemHead*> records;
    for (const ItemHead* rec : commandRows(source, true))
        if (rec && rec != up)
            records.push_back(const_cast<ItemHead*>(rec));
    AddToUserList(records);
}

void MainForm::AddToUserList(std::span<ItemHead* const> selected) {
    TUserListForm& form = userListForm();
    bool added = false;
    for (ItemHead* rec : selected)
        added |= form.AddToUserList(rec);
    if (added)
        form.RefreshUserListView();
    updateCommands(CommandGroup::Item);
    if (searchForm_)
        searchForm_->SetPendingRefresh(2);
}

bool MainForm::statusRefreshPending(StatusWindow window) {
    if (window == StatusWindow::Compare)
        return compareForm_ && compareForm_->RefreshPending;
    return window == StatusWindow::UserList && userListForm_ && userListForm_->RefreshFlag() != 0;
}

void MainForm::updateStatus(StatusWindow window) {
    if (window == StatusWindow::Compare && compareForm_)
        compareForm_->UpdateCompareStatus();
    else if (window == StatusWindow::UserList && userListForm_)
        userListForm_->UpdateUserListStatus();
}

}  // namespace kv
