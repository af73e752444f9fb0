// The search window as the main window's tool window: made on the first Find,
// kept until the main window goes, its run the main window's "search running".
#include "shell/main/MainFormWin32.h"

#include "catalog/file/CatalogLoad.h"
#include "search/engine/Duplicates.h"
#include "shell/browse/ItemRows.h"
#include "shell/browse/ListLayoutWin32.h"
#include "shell/browse/LocaleFormatsWin32.h"
#include "shell/commands/StatusTexts.h"
#include "shell/commands/SearchRefusal.h"
#include "shell/settings/SettingsStore.h"
#include "ui/SharedImages.h"

namespace kv {

TSearchForm& MainForm::searchForm() {
    if (!searchForm_) {
        SearchFormServices s{forest_, this, {}, {}, {}};
        s.shownNode = [this]() -> const Node* { return browse_->browser().shownNode(); };
        s.archivesAsFiles = [this] { return !services_.settings.Get().archivesAsFolders; };
        s.updateCommands = [this] { updateCommands(kUpdateAllCommands); };
        s.placementKey = services_.programKey;
        s.commands = this;
        s.doubleClickAction = [this] { return static_cast<int>(services_.settings.Get().dblClick); };
        s.buttonSize = services_.settings.Get().buttonSize;
        s.oldButtons = services_.settings.Get().oldButtons;
        s.idleUpdate = [this] { updateCommands(kUpdateAllCommands); };
        s.itemSummary = [](const ItemHead& item) {
            SummaryServices summary;
            summary.shortDate = LocaleCellFormats().shortDate;
            summary.loadSubfolders = [](Node& node) { LoadSubfolders(&node); };
            return GetItemSummary(ItemName(item), &item, false, summary);
        };
        s.listTotals = [](std::span<ItemHead* const> rows, bool selection) {
            std::uint64_t bytes = 0;
            for (const ItemHead* item : rows)
                bytes += ItemBytes(item);
            return ListTotalsText(selection, rows.size(), bytes, LocaleCellFormats().decimalSeparator);
        };
        // A header click beside the found list's columns sets up that list's columns.
        s.columnsSetup = [this] { ColumnsSetupClick(ColumnsList::SearchResults); };
        s.userListDropTarget = [this](HWND target) { return userListForm_ && userListForm_->IsDropTarget(target); };
        s.destroying = [this] {
            if (searchForm_)
                saveFoundLayout(*searchForm_);
        };
        searchForm_ = std::make_unique<TSearchForm>(std::move(s));
        resultLists_.Attach(&searchForm_->NormalResults());
        resultLists_.Attach(&searchForm_->DuplicateResults());
        hookResultListRenumbering();
        forest_.context().resultLists = &resultLists_;
        registerSearchList(*searchForm_);
        attachFoundCells(*searchForm_);
        // The found list takes the main item list's font.
        if (listFont_.get())
            searchForm_->FoundList.View().setFont(listFont_.get());
    }
    return *searchForm_;
}

std::unique_ptr<SearchListCells> MainForm::makeListCells(ItemListKind list) {
    SearchListCells::Sources s;
    s.cells = [this] { return browse_->browser().cellContext(); };
    // Only the collator and the archive setting are taken.
    s.sorting = [this] { return browse_->browser().sortParams(0); };
    s.image = [this](const ItemHead& rec) {
        int image = -1;
        std::string text;
        browse_->list().cellInfo(&rec, ColumnKind::Name, ui::vmImage, image, text);
        return image;
    };
    s.list = list;
    return std::make_unique<SearchListCells>(std::move(s));
}

void MainForm::attachFoundCells(TSearchForm& form) {
    foundCells_ = makeListCells(ItemListKind::SearchResults);
    // Descriptions show as tips over hits, as over the main list's rows, when the setting says so.
    form.FoundList.View().showHint = true;
    // The shared icon lists, as the main list uses them (one index in both).
    form.FoundList.SetCellProvider(foundCells_.get(), iconList_ ? SmallImages().handle() : nullptr,
                                   iconList_ ? LargeImages().handle() : nullptr);
    ApplyListLayout(form.FoundList.View(), ColumnsList::SearchResults,
                    ReadColumnsRecord(services_.programStore, ColumnsList::SearchResults));
}

void MainForm::saveFoundLayout(TSearchForm& form) {
    ColumnsRecord record = ReadColumnsRecord(services_.programStore, ColumnsList::SearchResults);
    if (ReadListLayout(form.FoundList.View(), record))
        WriteColumnsRecord(services_.programStore, ColumnsList::SearchResults, record);
}

void MainForm::hookResultListRenumbering() {
    resultLists_.onRenumbered = [this](ResultSlot slot) {
        if (slot == ResultSlot::UserList) {
            if (userListForm_)
                userListForm_->ListRenumbered();
        } else if (searchForm_) {
            searchForm_->ResultListRenumbered(slot);
        }
    };
}

void MainForm::closeSearchForm() {
    if (!searchForm_)
        return;
    searchForm_->StopSearch();
    if (searchForm_->hwnd())
        saveFoundLayout(*searchForm_);
    UnregisterItemList(searchForm_->FoundList.View());
    // The user list may still hold records.
    if (!userListForm_)
        forest_.context().resultLists = nullptr;
    resultLists_.Detach(ResultSlot::Search);
    resultLists_.Detach(ResultSlot::Duplicates);
    searchForm_.reset();
}

void MainForm::SearchClick(bool duplicates) {
    TSearchForm& form = searchForm();
    if (!form.SearchRunning() && form.DuplicateModeRadio.checked() != duplicates) {
        ui::RadioButton& mode = duplicates ? form.DuplicateModeRadio : form.NormalModeRadio;
        (duplicates ? form.NormalModeRadio : form.DuplicateModeRadio).setChecked(false);
        mode.setChecked(true);
        if (mode.onClick)
            mode.onClick(mode);
    }
    form.show();
    SetForegroundWindow(form.hwnd());
}

bool MainForm::searchRunning() {
    // A found-list sort pumping messages counts as a run: whatever a run
    // refuses (closing catalogs, deleting disks) would change the list under it.
    return (searchForm_ && (searchForm_->SearchRunning() || searchForm_->FoundList.Sorting())) ||
           (searchActive && searchActive());
}

void MainForm::cancelSearch() {
    if (searchForm_ && searchForm_->SearchRunning())
        searchForm_->BtnCancelClick();
}

void MainForm::GoToItem(ItemHead& item) {
    browse_->browser().goToItem(&item);
    updateStatusBar();
}

bool MainForm::Offers(FoundAction) const {
    // Every window a hit action opens is part of the program.
    return true;
}

bool MainForm::exists(ToolWindow window) const {
    return window == ToolWindow::Search ? searchForm_ != nullptr : userListForm_ != nullptr;
}

bool MainForm::isEnabled(ToolWindow window) const {
    if (!exists(window))
        return false;
    const ui::Form& form = window == ToolWindow::Search ? static_cast<const ui::Form&>(*searchForm_) : *userListForm_;
    return form.hwnd() && IsWindowEnabled(form.hwnd());
}

void MainForm::setEnabled(ToolWindow window, bool enabled) {
    if (!exists(window))
        return;
    if (window == ToolWindow::Search)
        searchForm_->setEnabled(enabled);
    else
        userListForm_->setEnabled(enabled);
}

void MainForm::hide(ToolWindow window) {
    if (!exists(window))
        return;
    if (window == ToolWindow::Search)
        searchForm_->hide();
    else
        userListForm_->hide();
}

void MainForm::rebuildSearchScope() {
    if (!searchForm_)
        return;
    // The scope tree points at catalog nodes: it is rebuilt whenever disks or catalogs come or go.
    searchForm_->CatalogTree.CreateCatalogTree(forest_);
    searchForm_->CreateCategoryList();
}

}  // namespace kv
