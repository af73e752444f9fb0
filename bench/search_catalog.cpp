// A search over a million catalogued files whose lists are in memory: the walk,
// the matchers and the hand-over of hits, as the worker runs them.
#include <benchmark/benchmark.h>

#include <sys/resource.h>

#include <chrono>
#include <cstdio>
#include <functional>
#include <filesystem>
#include <memory>
#include <string>

#include "base/Worker.h"
#include "base/ByteSink.h"
#include "catalog/file/CatalogLoad.h"
#include "catalog/file/CatalogWrite.h"
#include "catalog/model/Forest.h"
#include "search/engine/SearchEngine.h"
#include "search/engine/SyncSearchHost.h"
#include "bench/SearchValues.h"

namespace {

using namespace kv;

struct MillionFiles {
    Forest forest;
    Node* catalog = nullptr;

    // empty: every file has size 0, so a duplicate search by size meets one run of a million.
    explicit MillionFiles(bool empty = false) {
        catalog = &forest.addRoot("Big");
        (void)catalog->setRecord(std::make_unique<TCatalogRec>());
        Node& disk = forest.addChild(*catalog, "Disk");
        auto diskRec = std::make_unique<TDiskRec>();
        diskRec->flags = ItemFlags::NewDisk;
        (void)disk.setRecord(std::move(diskRec));
        static const char* const exts[] = {".txt", ".TXT", ".exe", ".jpg", "", ".tar.gz", ".Doc"};
        for (int d = 0; d < 1000; ++d) {
            Node& folder = forest.addChild(disk, "Folder " + std::to_string(d));
            auto rec = std::make_unique<TFolderRec>();
            for (int i = 0; i < 1000; ++i) {
                TFileRec& f = rec->addFileFromFile("Photo " + std::to_string(d * 1000 + i) + exts[i % 7]);
                f.stored.size = empty ? 0 : static_cast<std::uint32_t>(i * 4096);
                if (i % 97 == 0)
                    f.description.assign("holiday pictures, summer");
            }
            rec->flags |= ItemFlags::HasDescriptions;
            (void)folder.setRecord(std::move(rec));
        }
    }
};

// Runs the engine over the million files, the whole run per iteration.
void Run(benchmark::State& state, const SearchFormValues& values, MillionFiles& files) {
    const TSearchCriteria criteria = CompileSearchCriteria(values, cp1252CaseMap());
    const SearchScope scope = CaptureSearchScope(files.forest, false, {}, {}, cp1252CaseMap());
    InlineSync sync;
    for (auto _ : state) {
        TResultList results(values.duplicateMode ? ResultSlot::Duplicates : ResultSlot::Search);
        SyncSearchHost host({sync, results, {}, {}, {}, {}, nullptr});
        std::atomic<bool> stop{false};
        benchmark::DoNotOptimize(SearchEngine(criteria, scope, host, stop, true, cp1252CaseMap()).Execute().found);
    }
    state.SetItemsProcessed(state.iterations() * 1000000);
}

MillionFiles& Files() {
    static MillionFiles files;
    return files;
}

void Search(benchmark::State& state, SearchFormValues values) {
    values.searchFolders = values.searchDisks = false;
    Run(state, values, Files());
}

using bench::NameValues;

SearchFormValues Description() { return bench::DescriptionValues("summer"); }

SearchFormValues Size() { return bench::SizeValues(SizeRelation::Larger, {"4000", 1}); }

// The same million files written by the program's writer and opened again:
// every list the walk reads comes from the file and goes again, as in a search
// over catalogs nobody has browsed.
struct MillionFilesOnDisk {
    Forest forest;
    std::string path = (std::filesystem::temp_directory_path() / "kv-bench-search.ctf").string();

    MillionFilesOnDisk() {
        {
            MillionFiles files;
            FileSink sink(path);
            EncodeCatalog(*files.catalog, sink);
            sink.close();
        }
        ReadCatalogFile(forest, path);
    }
    ~MillionFilesOnDisk() { std::remove(path.c_str()); }
};

void SearchFromDisk(benchmark::State& state, SearchFormValues values) {
    static MillionFilesOnDisk files;
    values.searchFolders = values.searchDisks = false;
    const TSearchCriteria criteria = CompileSearchCriteria(values, cp1252CaseMap());
    const SearchScope scope = CaptureSearchScope(files.forest, false, {}, {}, cp1252CaseMap());
    InlineSync sync;
    for (auto _ : state) {
        TResultList results(ResultSlot::Search);
        ResultListSet lists;
        lists.Attach(&results);
        files.forest.context().resultLists = &lists;
        SyncSearchHost host({sync, results, {}, {}, {}, {}, nullptr});
        std::atomic<bool> stop{false};
        benchmark::DoNotOptimize(SearchEngine(criteria, scope, host, stop, true, cp1252CaseMap()).Execute().found);
        results.ClearSearchResults();
        files.forest.context().resultLists = nullptr;
    }
    state.SetItemsProcessed(state.iterations() * 1000000);
}

void DuplicatesOver(benchmark::State& state, MillionFiles& files) {
    SearchFormValues values;
    values.duplicateMode = true;
    values.dupName = values.dupSize = true;
    values.searchFolders = values.searchDisks = false;
    Run(state, values, files);
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    state.counters["peak_MB"] = static_cast<double>(usage.ru_maxrss) / 1024;
}

// By name and size: every name starts with the same letter and a thousand
// files share each size, so the runs of equal size are long. Target: below 1 s
// and 100 MB.
void Duplicates(benchmark::State& state) { DuplicatesOver(state, Files()); }
BENCHMARK(Duplicates)->Unit(benchmark::kMillisecond);

// A million empty files with distinct names: one run of equal size. Target: below 2 s.
void DuplicatesEmptyFiles(benchmark::State& state) {
    static MillionFiles empty(true);
    DuplicatesOver(state, empty);
}
BENCHMARK(DuplicatesEmptyFiles)->Unit(benchmark::kMillisecond);

// Passes the walk's requests on; Esc polls of the bucket sort are counted.
class PollCountingHost final : public ISearchHost {
public:
    PollCountingHost(ISearchHost& inner, std::function<void(int)> onPoll) : inner_(inner), onPoll_(std::move(onPoll)) {}
    void EnsureSubfolders(Node& n, ListsRead lists) override { inner_.EnsureSubfolders(n, lists); }
    bool EnsureFileList(Node& n, ListsRead lists) override { return inner_.EnsureFileList(n, lists); }
    void ReleaseFileList(Node& n) override { inner_.ReleaseFileList(n); }
    void WalkEnded() override { inner_.WalkEnded(); }
    void Progress(const SearchProgress& p, std::vector<ItemHead*>&& hits) override {
        inner_.Progress(p, std::move(hits));
    }
    bool AskCancelSort() override { return false; }
    bool EscPressed() override {
        onPoll_(++polls_);
        return false;
    }

private:
    ISearchHost& inner_;
    std::function<void(int)> onPoll_;
    int polls_ = 0;
};

// Duplicates by size: one bucket of a million candidates, a thousand groups.
// Cancel halfway through its sort (0), or once ten groups are listed (1): the
// time from the stop to the end of the run.
void DuplicatesStop(benchmark::State& state) {
    using Clock = std::chrono::steady_clock;
    const bool inSort = state.range(0) == 0;
    SearchFormValues values;
    values.duplicateMode = true;
    values.dupName = false;
    values.dupSize = true;
    values.searchFolders = values.searchDisks = false;
    const TSearchCriteria criteria = CompileSearchCriteria(values, cp1252CaseMap());
    const SearchScope scope = CaptureSearchScope(Files().forest, false, {}, {}, cp1252CaseMap());
    InlineSync sync;
    for (auto _ : state) {
        TResultList results(ResultSlot::Duplicates);
        SyncSearchHost inner({sync, results, {}, {}, {}, {}, nullptr});
        std::atomic<bool> stop{false};
        Clock::time_point stoppedAt;
        const auto requestStop = [&] {
            stoppedAt = Clock::now();
            stop = true;
        };
        // A million entries in blocks of 4096: some 245 polls.
        PollCountingHost host(inner, [&](int poll) {
            if (inSort && poll == 120)
                requestStop();
        });
        SearchEngine engine(criteria, scope, host, stop, true, cp1252CaseMap());
        int groups = 0;
        engine.SetGroupSink([&](std::size_t) {
            if (!inSort && ++groups == 10)
                requestStop();
        });
        engine.Execute();
        state.SetIterationTime(std::chrono::duration<double>(Clock::now() - stoppedAt).count());
        results.ClearSearchResults();
    }
}
BENCHMARK(DuplicatesStop)->Arg(0)->Arg(1)->UseManualTime()->Iterations(5)->Unit(benchmark::kMillisecond);

BENCHMARK_CAPTURE(Search, Mask, NameValues(NameMode::Mask, "*9.TXT"))->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Search, PartOfName, NameValues(NameMode::Part, "1234"))->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Search, Description, Description())->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Search, Size, Size())->Unit(benchmark::kMillisecond);
// Hits in one folder only: the other 999 lists are read and freed again each run.
BENCHMARK_CAPTURE(SearchFromDisk, Mask, NameValues(NameMode::Mask, "Photo 4242??.*"))->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(SearchFromDisk, PartOfName, NameValues(NameMode::Part, "nowhere"))->Unit(benchmark::kMillisecond);

}  // namespace
