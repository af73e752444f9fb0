// A report of 100,000 files in 1,000 folders: the sort by source, the command
// batches and the plain-text export, with the user list's cells; and the same
// report laid out on pages (text measured by its length).
#include <benchmark/benchmark.h>

#include <memory>
#include <string>

#include "ReportCatalog.h"
#include "report/BandReport.h"
#include "search/reports/ReportForm.h"
#include "search/reports/ReportSort.h"
#include "search/reports/ReportText.h"
#include "shell/browse/ListReportCells.h"

namespace {

void ReportOfHundredThousandFiles(benchmark::State& state) {
    static kv::bench::ReportCatalog catalog;
    const kv::ListReportCells cells(kv::ItemListKind::UserList, {});
    for (auto _ : state) {
        const kv::ReportRun run = kv::bench::SortedUserListRun(catalog.rows);
        std::size_t bytes = 0;
        kv::ExportReportToText(run, cells, {}, [&](std::string_view s) { bytes += s.size(); });
        benchmark::DoNotOptimize(bytes);
    }
}
BENCHMARK(ReportOfHundredThousandFiles)->Unit(benchmark::kMillisecond);

// Counts pages and what is drawn on them.
class CountingTarget : public kv::report::ReportTarget {
public:
    std::size_t pages = 0, strings = 0;
    bool BeginDoc() override { return true; }
    bool StartPage(int) override { return true; }
    bool EndPage(int) override {
        ++pages;
        return true;
    }
    void EndDoc(bool) override {}
    void BeginBand(const kv::report::TRepBand&, const kv::report::Rect&) override {}
    void FillRect(const kv::report::Rect&, std::uint32_t) override {}
    void DrawString(const kv::report::Rect&, std::string_view, const kv::report::ReportFont&, kv::report::Alignment,
                    bool) override {
        ++strings;
    }
    void DrawLine(double, double, double, double, double, std::uint32_t) override {}
    void DrawPicture(const kv::report::Rect&, int, std::uint32_t) override {}
};

void PagesOfHundredThousandFiles(benchmark::State& state) {
    static kv::bench::ReportCatalog catalog;
    const kv::ListReportCells cells(kv::ItemListKind::UserList, {});
    const kv::ReportRun run = kv::bench::SortedUserListRun(catalog.rows);
    kv::ReportLook look;
    look.icons = false;
    const kv::bench::LengthMeasurer measurer;
    std::size_t pages = 0;
    for (auto _ : state) {
        kv::ReportForm form(run, cells, look, {794, 1123, 38, 38, 38, 38});
        CountingTarget target;
        form.Run(target, measurer);
        pages = target.pages;
        benchmark::DoNotOptimize(target.strings);
    }
    state.counters["pages"] = static_cast<double>(pages);
    state.counters["pages/s"] =
        benchmark::Counter(static_cast<double>(pages), benchmark::Counter::kIsIterationInvariantRate);
}
BENCHMARK(PagesOfHundredThousandFiles)->Unit(benchmark::kMillisecond);

}  // namespace
