// Times the print preview's pages of a report of 100,000 files under Wine:
// the sort, the first page (when the preview shows), every page (pages per
// second: text measured with GDI, each size remembered, and drawn into
// metafiles, most of them put away in temporary files) and reading a page
// back from its file.
// --length measures text by its length (what GDI's measuring costs), --keep
// keeps every page in memory (what putting pages away costs).
// Usage: report_pages_bench [--gdi|--length] [--spill|--keep]
#include <windows.h>

#include <cstdio>
#include <cstring>

#include "bench/ReportCatalog.h"
#include "report/EmfPageStoreWin32.h"
#include "report/GdiTargetWin32.h"
#include "report/MeasureCache.h"
#include "search/reports/ReportForm.h"
#include "search/reports/ReportSort.h"
#include "shell/browse/ListReportCells.h"
#include "system/files/FileQueries.h"

using kv::bench::Clock;
using kv::bench::MillisecondsSince;

int main(int argc, char** argv) {
    const bool gdiMeasure = !(argc > 1 && std::strcmp(argv[1], "--length") == 0);
    const bool spill = !(argc > 2 && std::strcmp(argv[2], "--keep") == 0);
    auto start = Clock::now();
    kv::bench::ReportCatalog catalog;
    const double built = MillisecondsSince(start);
    const kv::ListReportCells cells(kv::ItemListKind::UserList, {});
    start = Clock::now();
    const kv::ReportRun run = kv::bench::SortedUserListRun(catalog.rows);
    const double sorted = MillisecondsSince(start);
    kv::ReportLook look;
    look.icons = false;
    look.dateTimeText = "2026-12-11, 13:05:09";

    HDC screen = GetDC(nullptr);
    const kv::report::PageSetup page{794, 1123, 38, 38, 38, 38};
    double firstPage = 0, pages = 0, readBack = 0;
    std::size_t count = 0, inMemory = 0, inFiles = 0;
    {
        kv::report::EmfPageStore store(screen, page.Width, page.Length, spill ? kv::GetTempDir() : std::string());
        kv::report::GdiMeasurer gdi;
        const kv::report::MeasureCache cached(gdi);
        kv::bench::LengthMeasurer length;
        const kv::report::TextMeasurer& measurer =
            gdiMeasure ? static_cast<const kv::report::TextMeasurer&>(cached) : length;
        kv::ReportForm form(run, cells, look, page);
        start = Clock::now();
        form.report().OnPageAvailable = [&](kv::report::TBandReport&, int n) {
            if (n == 1)
                firstPage = MillisecondsSince(start);
        };
        form.Run(store, measurer);
        pages = MillisecondsSince(start);
        count = store.PageCount();
        inMemory = store.PagesInMemory();
        inFiles = store.PagesInFiles();
        start = Clock::now();
        const std::size_t reads = count < 100 ? count : 100;
        for (std::size_t i = 0; i < reads; ++i)
            store.Page(i * count / reads);
        readBack = reads ? MillisecondsSince(start) / static_cast<double>(reads) : 0;
    }
    ReleaseDC(nullptr, screen);
    std::printf("%zu rows: built in %.0f ms, sorted in %.0f ms\n", run.rows.size(), built, sorted);
    std::printf("first page after %.0f ms\n", firstPage);
    std::printf("%zu pages in %.0f ms: %.0f pages/s (%zu in memory, %zu in files)\n", count, pages,
                pages > 0 ? static_cast<double>(count) * 1000 / pages : 0.0, inMemory, inFiles);
    std::printf("a page read back from its file: %.2f ms\n", readBack);
    return 0;
}
