// The report command: the main list, or the search results, handed to the
// report generator.
#include "shell/main/MainFormWin32.h"

#include "search/reports/ReportGenFormWin32.h"
#include "shell/browse/ListReportCells.h"
#include "ui/CommonDialogs.h"
#include "ui/CommonPrintDialog.h"
#include "search/window/SearchFormWin32.h"
#include "ui/SystemHelpers.h"

namespace kv {

void MainForm::OpenReportGenerator(const ListReportSource& source) {
    // Reports need a printer, also for their page layout.
    if (!ui::CheckPrinterInstalled(*prompt_, ui::PrinterInstalled()))
        return;
    ui::CommonFileDialogs files(hwnd());
    ui::CommonPrintDialog printer(hwnd());
    ShowReportGenerator(source,
                        {*prompt_, files, printer, &services_.programStore, services_.settings.Get().oldButtons});
}

void MainForm::SearchReportClick() {
    if (!searchForm_)
        return;
    const ListReportCells cells(ItemListKind::SearchResults, browse_->browser().cellContext());
    ListReportSource source;
    source.cells = &cells;
    source.title = "Search Results";
    const auto items = searchForm_->CurrentResults().Items();
    source.rows.assign(items.begin(), items.end());
    source.columns = AllReportColumns(SearchListColumns());
    source.sourceId = 1;
    OpenReportGenerator(source);
}

void MainForm::ReportGenClick() {
    CatalogBrowser& browser = browse_->browser();
    const ListReportCells cells(ItemListKind::Main, browser.cellContext());
    ListReportSource source;
    source.cells = &cells;
    source.rows = browser.items();
    source.firstRow = !source.rows.empty() && source.rows.front() == browser.upRecord() ? 1 : 0;
    source.columns =
        AllReportColumns(browser.listTag() == ItemFlags::Catalog ? DiskListColumns() : FileListColumns());
    if (const Node* shown = browser.shownNode()) {
        const bool folder = shown->record() && shown->record()->kind() == ItemFlags::Folder;
        const bool archive = folder && HasFlag(shown->record()->flags, ItemFlags::Archive);
        if (!shown->parent())
            source.title = "Catalog \"" + shown->text() + "\"";
        else if (folder)
            source.title = std::string(archive ? "Contents of file \"" : "Contents of folder \"") + shown->text() + "\"";
        else
            source.title = shown->text();
    }
    OpenReportGenerator(source);
}

}  // namespace kv
