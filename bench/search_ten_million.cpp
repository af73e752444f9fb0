// The search over ten catalogs of a million files each, as the generator writes
// them: by mask, part of a name, description text and size, once with every
// list in memory and once with the lists read from the files during the walk.
// The catalogs are read from $KV_BENCH_CATALOGS (gen-01.ctf ...) and written
// there first when missing; $KV_BENCH_CATALOG_COUNT changes the number of
// catalogs (10).
#include <benchmark/benchmark.h>

#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "base/Worker.h"
#include "bench/SearchValues.h"
#include "bench/catalogs/GeneratedCatalog.h"
#include "catalog/file/CatalogLoad.h"
#include "catalog/model/FreeRecords.h"
#include "catalog/model/ItemRecords.h"
#include "search/engine/SearchEngine.h"
#include "search/engine/SyncSearchHost.h"

namespace {

using namespace kv;

std::string EnvOr(const char* name, const std::string& fallback) {
    const char* v = std::getenv(name);
    return v && *v ? v : fallback;
}

std::vector<std::string> CatalogFiles() {
    const std::filesystem::path dir =
        EnvOr("KV_BENCH_CATALOGS", (std::filesystem::temp_directory_path() / "kv-bench-catalogs").string());
    const int count = std::max(1, std::atoi(EnvOr("KV_BENCH_CATALOG_COUNT", "10").c_str()));
    std::filesystem::create_directories(dir);
    std::vector<std::string> files;
    for (int i = 1; i <= count; ++i) {
        char name[32];
        std::snprintf(name, sizeof name, "gen-%02d.ctf", i);
        const std::string path = (dir / name).string();
        if (!std::filesystem::exists(path)) {
            bench::CatalogShape shape;
            shape.seed = static_cast<std::uint64_t>(i);
            std::fprintf(stderr, "writing %s\n", path.c_str());
            bench::WriteGeneratedCatalog(path, "Generated " + std::to_string(i), shape);
        }
        files.push_back(path);
    }
    return files;
}

void ForEachOwner(Node& node, const std::function<void(Node&)>& visit) {
    if (RecordAs<FileOwnerRecord>(node.record()))
        visit(node);
    for (const auto& child : node.children())
        ForEachOwner(*child, visit);
}

struct Catalogs {
    Forest forest;
    std::uint64_t files = 0;

    explicit Catalogs(bool loadLists) {
        for (const std::string& path : CatalogFiles()) {
            Node* catalog = ReadCatalogFile(forest, path);
            for (const auto& disk : catalog->children()) {
                LoadSubfolders(disk.get(), true, loadLists);
                if (loadLists)
                    LoadFileList(disk.get());
                files += RecordAs<TDiskRec>(disk->record())->volume.fileCount;
            }
        }
    }

    // Lists the walk kept because they had hits go again, so every run reads them.
    void UnloadAll() {
        for (const auto& root : forest.roots())
            ForEachOwner(*root, [](Node& n) { (void)UnloadFileList(n); });
    }
};

Catalogs& Loaded() {
    static Catalogs c(true);
    return c;
}
Catalogs& OnDisk() {
    static Catalogs c(false);
    return c;
}

void Search(benchmark::State& state, Catalogs& catalogs, SearchFormValues values, bool fromDisk) {
    values.searchFolders = values.searchDisks = false;
    const TSearchCriteria criteria = CompileSearchCriteria(values, cp1252CaseMap());
    const SearchScope scope = CaptureSearchScope(catalogs.forest, false, {}, {}, cp1252CaseMap());
    InlineSync sync;
    std::int64_t found = 0;
    for (auto _ : state) {
        TResultList results(ResultSlot::Search);
        ResultListSet lists;
        lists.Attach(&results);
        catalogs.forest.context().resultLists = &lists;
        SyncSearchHost host({sync, results, {}, {}, {}, {}, nullptr});
        std::atomic<bool> stop{false};
        found = SearchEngine(criteria, scope, host, stop, true, cp1252CaseMap()).Execute().found;
        state.PauseTiming();
        results.ClearSearchResults();
        catalogs.forest.context().resultLists = nullptr;
        if (fromDisk)
            catalogs.UnloadAll();
        state.ResumeTiming();
    }
    state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(catalogs.files));
    state.counters["files"] = static_cast<double>(catalogs.files);
    state.counters["hits"] = static_cast<double>(found);
}

struct Case {
    const char* name;
    SearchFormValues values;
};

void Register() {
    const Case cases[] = {{"Mask", bench::NameValues(NameMode::Mask, "*9.TXT")},
                          {"PartOfName", bench::NameValues(NameMode::Part, "1234")},
                          {"Description", bench::DescriptionValues("summer")},
                          // Few hits: a size band most files miss.
                          {"Size", bench::SizeValues(SizeRelation::Between, {"1000000", 0}, {"1010000", 0})}};
    for (const Case& c : cases) {
        benchmark::RegisterBenchmark((std::string("Loaded/") + c.name).c_str(),
                                     [v = c.values](benchmark::State& s) { Search(s, Loaded(), v, false); })
            ->Unit(benchmark::kMillisecond)
            ->MeasureProcessCPUTime()
            ->UseRealTime();
    }
    for (const Case& c : cases) {
        benchmark::RegisterBenchmark((std::string("FromDisk/") + c.name).c_str(),
                                     [v = c.values](benchmark::State& s) { Search(s, OnDisk(), v, true); })
            ->Unit(benchmark::kMillisecond)
            ->UseRealTime();
    }
}

}  // namespace

int main(int argc, char** argv) {
    Register();
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
