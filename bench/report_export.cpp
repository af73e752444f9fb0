// A report of 100,000 files in 1,000 folders: the sort by source, the command
// batches and the plain-text export, with the user list's cells.
#include <benchmark/benchmark.h>

#include <memory>
#include <string>

#include "catalog/model/Forest.h"
#include "search/reports/ReportSort.h"
#include "search/reports/ReportText.h"
#include "shell/browse/ListReportCells.h"

namespace {

struct Catalog {
    kv::Forest forest;
    std::vector<const kv::ItemHead*> rows;

    Catalog() {
        kv::Node& catalog = forest.addRoot("Big");
        (void)catalog.setRecord(std::make_unique<kv::TCatalogRec>());
        kv::Node& disk = forest.addChild(catalog, "Disk");
        (void)disk.setRecord(std::make_unique<kv::TDiskRec>());
        for (int f = 999; f >= 0; --f) {
            kv::Node& folder = forest.addChild(disk, "folder" + std::to_string(f));
            auto rec = std::make_unique<kv::TFolderRec>();
            for (int i = 0; i < 100; ++i)
                rec->addFileFromFile("file" + std::to_string(i) + ".txt").stored.size = 1000u + static_cast<unsigned>(i);
            kv::TFolderRec& owner = *rec;
            (void)folder.setRecord(std::move(rec));
            rows.push_back(&owner);
            for (kv::TFileRec& file : owner.files)
                rows.push_back(&file);
        }
    }
};

void ReportOfHundredThousandFiles(benchmark::State& state) {
    static Catalog catalog;
    const kv::ListReportCells cells(kv::ItemListKind::UserList, {});
    for (auto _ : state) {
        kv::ReportRun run;
        run.rows = catalog.rows;
        kv::SortItemsBySource(run.rows);
        run.sorted = true;
        run.columns = kv::AllReportColumns(kv::UserListColumns());
        std::size_t bytes = 0;
        kv::ExportReportToText(run, cells, {}, [&](std::string_view s) { bytes += s.size(); });
        benchmark::DoNotOptimize(bytes);
    }
}
BENCHMARK(ReportOfHundredThousandFiles)->Unit(benchmark::kMillisecond);

}  // namespace
