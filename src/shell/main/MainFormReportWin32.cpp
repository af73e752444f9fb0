// The report command: the generator over the lists of the main window, the
// search window, the user list and the compare window, and the custom
// selection of the catalogs.
#include "shell/main/MainFormWin32.h"

#include "search/compare/CompareFormWin32.h"
#include "search/compare/CompareView.h"
#include "search/reports/RepSettingsFormWin32.h"
#include "search/reports/ReportGenFormWin32.h"
#include "search/userlist/UserListFormWin32.h"
#include "search/window/SearchFormWin32.h"
#include "shell/browse/ListReportCells.h"
#include "ui/CommonDialogs.h"
#include "ui/CommonFontDialog.h"
#include "ui/CommonPrintDialog.h"
#include "ui/SharedImages.h"
#include "ui/SystemHelpers.h"

namespace kv {

namespace {

std::vector<ReportColumn> CompareReportColumns() {
    std::vector<ReportColumn> out;
    for (int i = 0; i < kCompareColumnCount; ++i)
        out.push_back({kCompareListColumns[i].caption, i,
                       kCompareListColumns[i].rightAligned ? report::Alignment::Right : report::Alignment::Left});
    return out;
}

// A file found only on the medium as a report row: it has no catalog record,
// and so no kind, headings or sizes of a record.
struct MediaReportRow : ItemHead {
    explicit MediaReportRow(std::size_t at) : ItemHead(0), index(at) {}
    std::size_t index;
};

class MediaReportCells : public ReportCells {
public:
    explicit MediaReportCells(const CompareResults& results) : results_(results) {
        rows_.reserve(results.NewEntries.size());
        for (std::size_t i = 0; i < results.NewEntries.size(); ++i)
            rows_.emplace_back(i);
    }
    std::string Cell(const ItemHead& rec, int column) const override {
        const auto& row = static_cast<const MediaReportRow&>(rec);
        return MediaEntryCell(results_, results_.NewEntries[row.index], column, {});
    }
    int Icon(const ItemHead&) const override { return -1; }
    void Summarise(const ItemHead& rec, ReportSummary& summary) const override {
        summary.AddFile(results_.NewEntries[static_cast<const MediaReportRow&>(rec).index].Size);
    }
    std::vector<const ItemHead*> Rows() const {
        std::vector<const ItemHead*> rows;
        for (const MediaReportRow& row : rows_)
            rows.push_back(&row);
        return rows;
    }

private:
    const CompareResults& results_;
    std::vector<MediaReportRow> rows_;
};

ListColumnLayout LayoutOf(ui::TExtListView& view) {
    ListColumnLayout layout;
    if (!view.GetColumnOrder(layout.order)) {
        layout.order.clear();
        for (int i = 0; i < view.ColumnCount(); ++i)
            layout.order.push_back(i);
    }
    for (int i = 0; i < view.ColumnCount(); ++i)
        layout.widths.push_back(view.ColumnWidth(i));
    return layout;
}

}  // namespace

ReportWindowFacts MainForm::reportWindowFacts() {
    ReportWindowFacts f;
    f.searchWindow = searchForm_ != nullptr;
    f.searchHasItems = searchForm_ && searchForm_->CurrentResults().Count() > 0;
    f.searching = searchRunning();
    f.userListWindow = userListForm_ != nullptr;
    f.userListHasItems = userListForm_ && userListForm_->List().Count() > 0;
    f.compareWindow = compareForm_ != nullptr;
    if (compareForm_) {
        f.compareCheckMode = compareForm_->Results().CheckMode;
        f.compareCategory = compareForm_->CurrentCategory();
        f.compareCategoryName = CategoryName(CategoryRow(f.compareCheckMode, f.compareCategory));
    }
    return f;
}

ListReportSource MainForm::reportListSource(int source) {
    CatalogBrowser& browser = browse_->browser();
    ListReportSource s;
    s.sourceId = static_cast<std::size_t>(source);
    auto cellsOf = [&](ItemListKind kind) {
        s.ownedCells = std::make_shared<ListReportCells>(kind, browser.cellContext(), reportIcon());
        s.cells = s.ownedCells.get();
    };
    switch (source) {
    case kSourceSearch:
        cellsOf(ItemListKind::SearchResults);
        s.columns = AllReportColumns(SearchListColumns());
        if (searchForm_) {
            const auto items = searchForm_->CurrentResults().Items();
            s.rows.assign(items.begin(), items.end());
        }
        break;
    case kSourceUser:
    case kSourceCustom:
        cellsOf(ItemListKind::UserList);
        s.columns = AllReportColumns(UserListColumns());
        if (source == kSourceUser && userListForm_) {
            const auto items = userListForm_->List().Items();
            s.rows.assign(items.begin(), items.end());
        }
        // The custom report takes the user list's columns, so the window is there to copy them from.
        if (source == kSourceCustom)
            userListForm();
        break;
    case kSourceCompareMedia:
    case kSourceCheckFiles:
        cellsOf(ItemListKind::CompareResults);
        s.columns = CompareReportColumns();
        if (compareForm_) {
            const int category = compareForm_->CurrentCategory();
            s.sortable = category > 0;
            if (category == kCategoryNew) {
                auto media = std::make_shared<MediaReportCells>(compareForm_->Results());
                s.rows = media->Rows();
                s.ownedCells = media;
                s.cells = media.get();
            } else if (category > 0 && category < static_cast<int>(compareForm_->Results().Lists.size())) {
                const auto& rows = compareForm_->Results().Lists[static_cast<std::size_t>(category)];
                s.rows.assign(rows.begin(), rows.end());
            }
        }
        break;
    default:
        cellsOf(ItemListKind::Main);
        s.rows = browser.items();
        s.firstRow = !s.rows.empty() && s.rows.front() == browser.upRecord() ? 1 : 0;
        s.columns =
            AllReportColumns(browser.listTag() == ItemFlags::Catalog ? DiskListColumns() : FileListColumns());
        s.sortable = false;
        break;
    }
    return s;
}

ListColumnLayout MainForm::reportColumnLayout(int source) {
    switch (source) {
    case kSourceSearch: return searchForm_ ? LayoutOf(searchForm_->FoundList.View()) : ListColumnLayout{};
    case kSourceUser:
    case kSourceCustom: return LayoutOf(userListForm().UserListView.View());
    case kSourceCompareMedia:
    case kSourceCheckFiles: return compareForm_ ? LayoutOf(compareForm_->CompareListView) : ListColumnLayout{};
    default: return LayoutOf(list);
    }
}

void MainForm::OpenReportGenerator(ReportOrigin origin) {
    // Reports need a printer, also for their page layout.
    if (!ui::CheckPrinterInstalled(*prompt_, ui::PrinterInstalled()))
        return;
    ui::CommonFileDialogs files(hwnd());
    ui::CommonPrintDialog printer(hwnd());
    ReportGenSources sources;
    sources.origin = origin;
    sources.facts = [this] { return reportWindowFacts(); };
    sources.list = [this](int source) { return reportListSource(source); };
    sources.columnLayout = [this](int source) { return reportColumnLayout(source); };
    sources.mainShown = [this]() -> const Node* { return browse_->browser().shownNode(); };
    sources.forest = &forest_;
    sources.nodeImage = [this](const Node* node, bool selected) {
        return tree.imageOf ? tree.imageOf(const_cast<Node*>(node), selected) : -1;
    };
    if (SharedObjectsReady()) {
        sources.smallImages = SmallImages().handle();
        sources.checkImages = CheckImages().handle();
    }
    sources.layoutFolder = services_.settings.Get().catalogFolder;
    ReportServices services{*prompt_, files, printer, &services_.programStore, reportSettingsDialog(),
                            services_.settings.Get().oldButtons};
    ShowReportGenerator(std::move(sources), services);
}

std::function<void()> MainForm::reportSettingsDialog() {
    return [this] {
        ui::CommonFontDialog fonts(hwnd());
        ShowReportSettings({fonts, &services_.programStore});
    };
}

std::function<int(const ItemHead&)> MainForm::reportIcon() {
    return [this](const ItemHead& rec) { return itemLargeIcon(&rec); };
}

void MainForm::SearchReportClick() { OpenReportGenerator(ReportOrigin::SearchWindow); }

void MainForm::ReportGenClick() { OpenReportGenerator(ReportOrigin::MainWindow); }

}  // namespace kv
