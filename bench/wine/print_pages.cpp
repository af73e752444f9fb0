// Times a report of 100,000 files printed under Wine: pages per second drawn
// into the printer's device context of Wine's PostScript driver (our test
// printer, its port a file), the spooler's writing of the job included, text
// measured as printing measures it (GDI, each size remembered).
// Usage: print_pages_bench PPD JOB.ps [FOLDERS] (1,000 folders of 100 files;
// the time every 100 pages goes to standard error).
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "bench/ReportCatalog.h"
#include "report/MeasureCache.h"
#include "search/reports/ReportForm.h"
#include "search/reports/ReportPrinterWin32.h"
#include "search/reports/ReportSort.h"
#include "shell/browse/ListReportCells.h"
#include "tests/support/TestPrinterWin32.h"

using kv::bench::Clock;
using kv::bench::MillisecondsSince;

int main(int argc, char** argv) {
    const int folders = argc == 4 ? std::atoi(argv[3]) : 1000;
    if ((argc != 3 && argc != 4) || folders < 1) {
        std::printf("usage: print_pages_bench PPD JOB.ps [FOLDERS]\n");
        return 2;
    }
    DeleteFileA(argv[2]);
    // A name of its own: the print tests may run meanwhile in the same prefix.
    constexpr const char* kPrinter = "Korvalder Bench PS";
    const kv::test::TestPrinterScope installed(argv[1], argv[2], kPrinter);
    if (!installed.installed()) {
        std::printf("the test printer could not be installed\n");
        return 1;
    }
    kv::bench::ReportCatalog catalog(folders);
    const kv::ListReportCells cells(kv::ItemListKind::UserList, {});
    const kv::ReportRun run = kv::bench::SortedUserListRun(catalog.rows);
    kv::ReportSettings settings;
    settings.look.icons = false;
    settings.look.dateTimeText = "2026-12-11, 13:05:09";
    settings.paperSize = 9;  // A4
    settings.portrait = true;

    const kv::ui::PrinterSettings printer = kv::ReportPrinter(settings, kPrinter);
    HDC dc = printer.valid() ? printer.CreateDC() : nullptr;
    if (!dc) {
        std::printf("the test printer gives no device context\n");
        return 1;
    }
    const kv::report::PageSetup page = kv::ReportPageOf(dc, settings);
    kv::report::GdiMeasurer gdi;
    const kv::report::MeasureCache measurer(gdi);
    double firstPage = 0, pages = 0;
    int printed = 0;
    bool completed = false;
    {
        kv::ReportForm form(run, cells, settings.look, page);
        kv::report::PrinterTarget job(dc, "Print pages benchmark");
        const kv::PrintAbortScope abort(dc, [] { return false; });
        const auto start = Clock::now();
        form.report().OnPageAvailable = [&](kv::report::TBandReport&, int n) {
            if (n == 1)
                firstPage = MillisecondsSince(start);
            if (n % 100 == 0)
                std::fprintf(stderr, "page %d after %.0f ms\n", n, MillisecondsSince(start));
        };
        completed = form.Run(job, measurer);
        pages = MillisecondsSince(start);
        printed = job.PagesPrinted();
    }
    DeleteDC(dc);
    WIN32_FILE_ATTRIBUTE_DATA file{};
    const double megabytes = GetFileAttributesExA(argv[2], GetFileExInfoStandard, &file)
                                 ? static_cast<double>(file.nFileSizeLow) / (1024.0 * 1024.0)
                                 : 0.0;
    DeleteFileA(argv[2]);
    std::printf("%zu rows on %d printed pages%s\n", run.rows.size(), printed, completed ? "" : " (the job FAILED)");
    std::printf("first page after %.0f ms\n", firstPage);
    std::printf("%d pages in %.0f ms: %.0f pages/s (a PostScript job of %.1f MB)\n", printed, pages,
                pages > 0 ? printed * 1000.0 / pages : 0.0, megabytes);
    return completed ? 0 : 1;
}
