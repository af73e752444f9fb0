// A search over a million catalogued files whose lists are in memory: the walk,
// the matchers and the hand-over of hits, as the worker runs them.
#include <benchmark/benchmark.h>

#include <memory>
#include <string>

#include "base/Worker.h"
#include "catalog/model/Forest.h"
#include "search/SearchEngine.h"
#include "search/SyncSearchHost.h"

namespace {

using namespace kv;

struct MillionFiles {
    Forest forest;
    Node* catalog = nullptr;

    MillionFiles() {
        catalog = &forest.addRoot("Big");
        (void)catalog->setRecord(std::make_unique<TCatalogRec>());
        Node& disk = forest.addChild(*catalog, "Disk");
        (void)disk.setRecord(std::make_unique<TDiskRec>());
        static const char* const exts[] = {".txt", ".TXT", ".exe", ".jpg", "", ".tar.gz", ".Doc"};
        for (int d = 0; d < 1000; ++d) {
            Node& folder = forest.addChild(disk, "Folder " + std::to_string(d));
            auto rec = std::make_unique<TFolderRec>();
            for (int i = 0; i < 1000; ++i) {
                TFileRec& f = rec->addFileFromFile("Photo " + std::to_string(d * 1000 + i) + exts[i % 7]);
                f.stored.size = static_cast<std::uint32_t>(i * 4096);
                if (i % 97 == 0)
                    f.description.assign("holiday pictures, summer");
            }
            rec->flags |= ItemFlags::HasDescriptions;
            (void)folder.setRecord(std::move(rec));
        }
    }
};

void Search(benchmark::State& state, SearchFormValues values) {
    static MillionFiles files;
    values.searchFolders = values.searchDisks = false;
    const TSearchCriteria criteria = CompileSearchCriteria(values, cp1252CaseMap());
    const SearchScope scope = CaptureSearchScope(files.forest, false, {}, {}, cp1252CaseMap());
    InlineSync sync;
    for (auto _ : state) {
        TResultList results(ResultSlot::Search);
        SyncSearchHost host({sync, results, {}, {}, {}, {}, nullptr});
        std::atomic<bool> stop{false};
        benchmark::DoNotOptimize(SearchEngine(criteria, scope, host, stop, true, cp1252CaseMap()).Execute().found);
    }
    state.SetItemsProcessed(state.iterations() * 1000000);
}

SearchFormValues Name(NameMode mode, std::string text) {
    SearchFormValues v;
    v.byName = true;
    v.nameMode = mode;
    v.nameText = std::move(text);
    return v;
}

SearchFormValues Description() {
    SearchFormValues v;
    v.byDescription = true;
    v.descriptionText = "summer";
    return v;
}

SearchFormValues Size() {
    SearchFormValues v;
    v.bySize = true;
    v.sizeRelation = SizeRelation::Larger;
    v.size1 = {"4000", 1};
    return v;
}

BENCHMARK_CAPTURE(Search, Mask, Name(NameMode::Mask, "*9.TXT"))->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Search, PartOfName, Name(NameMode::Part, "1234"))->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Search, Description, Description())->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Search, Size, Size())->Unit(benchmark::kMillisecond);

}  // namespace
