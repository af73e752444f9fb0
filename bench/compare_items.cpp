// The item comparer per column over a million file records, and the item sort
// of a 100,000-row folder listing by each column.
#include <benchmark/benchmark.h>

#include <atomic>
#include <random>
#include <string>

#include "base/DosDateTime.h"
#include "catalog/model/Forest.h"
#include "shell/browse/ItemComparer.h"
#include "shell/browse/ItemSort.h"

namespace {

using namespace kv;

// One catalog, one disk, one folder holding n files with random names, sizes and dates.
struct Listing {
    Forest forest;
    kv::ItemList rows;

    explicit Listing(std::size_t n) {
        Node& cat = forest.addRoot("Bench");
        (void)cat.setRecord(std::make_unique<TCatalogRec>());
        Node& disk = forest.addChild(cat, "Disk");
        (void)disk.setRecord(std::make_unique<TDiskRec>());
        Node& folder = forest.addChild(disk, "Folder");
        auto rec = std::make_unique<TFolderRec>();
        TFolderRec& owner = *rec;
        (void)folder.setRecord(std::move(rec));
        std::mt19937 rng(42);
        rows.reserve(n);
        for (std::size_t i = 0; i < n; ++i) {
            TFileRec& f = owner.addFileFromFile("File" + std::to_string(rng() % 1000000) + "." +
                                                std::string(1, static_cast<char>('a' + rng() % 26)) + "xt");
            f.stored.size = rng() % 100000;
            f.stored.modified = encodeDosDateTime(
                DateTime{1990 + static_cast<int>(rng() % 30), 1 + static_cast<int>(rng() % 12), 1 + static_cast<int>(rng() % 28),
                         static_cast<int>(rng() % 24), static_cast<int>(rng() % 60), 0});
            f.stored.attributes = static_cast<std::uint8_t>(rng() % 64);
            if (i % 4 == 0)
                f.description.assign("Description " + std::to_string(rng() % 1000));
            rows.push_back(&f);
        }
    }
};

void CompareItemsByColumn(benchmark::State& state) {
    static Listing listing(1'000'000);
    SortParams params;
    params.column = static_cast<std::uint8_t>(state.range(0));
    const ItemComparer compare(params);
    const auto& rows = listing.rows;
    for (auto _ : state) {
        int sum = 0;
        for (std::size_t i = 1; i < rows.size(); ++i)
            sum += compare(rows[i - 1], rows[i]);
        benchmark::DoNotOptimize(sum);
    }
    state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations() * (rows.size() - 1)));
}
BENCHMARK(CompareItemsByColumn)->DenseRange(0, 13)->Unit(benchmark::kMillisecond);

void SortFolderByColumn(benchmark::State& state) {
    static Listing listing(100'000);
    SortParams params;
    params.column = static_cast<std::uint8_t>(state.range(0));
    const ItemComparer compare(params);
    std::atomic<bool> cancel{false};
    for (auto _ : state) {
        state.PauseTiming();
        kv::ItemList rows = listing.rows;
        state.ResumeTiming();
        SortListWithCancel(rows, compare, cancel);
        benchmark::DoNotOptimize(rows.data());
    }
    state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations() * listing.rows.size()));
}
BENCHMARK(SortFolderByColumn)->DenseRange(0, 7)->Arg(12)->Unit(benchmark::kMillisecond);

}  // namespace
