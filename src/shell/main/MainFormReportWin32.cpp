// The report command: the main list handed to the report generator.
#include "shell/main/MainFormWin32.h"

#include "search/reports/ReportGenFormWin32.h"
#include "shell/browse/ListReportCells.h"
#include "ui/CommonDialogs.h"
#include "ui/CommonPrintDialog.h"
#include "ui/SystemHelpers.h"

namespace kv {

void MainForm::ReportGenClick() {
    // Reports need a printer, also for their page layout.
    if (!ui::CheckPrinterInstalled(*prompt_, ui::PrinterInstalled()))
        return;
    CatalogBrowser& browser = browse_->browser();
    const ListReportCells cells(ItemListKind::Main, browser.cellContext());
    ListReportSource source;
    source.cells = &cells;
    source.rows = browser.items();
    source.firstRow = !source.rows.empty() && source.rows.front() == browser.upRecord() ? 1 : 0;
    const std::vector<ReportColumn> all =
        AllReportColumns(browser.listTag() == ItemFlags::Catalog ? DiskListColumns() : FileListColumns());
    std::vector<int> order;
    if (list.GetColumnOrder(order) && order.size() == all.size()) {
        for (int column : order)
            source.columns.push_back(all[static_cast<std::size_t>(column)]);
    } else {
        source.columns = all;
    }
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
    ui::CommonFileDialogs files(hwnd());
    ui::CommonPrintDialog printer(hwnd());
    ShowReportGenerator(source, {*prompt_, files, printer});
}

}  // namespace kv
