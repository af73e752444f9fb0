// The interruptible sort over a search-result-sized list of item pointers.
#include <benchmark/benchmark.h>

#include <atomic>
#include <cstdint>
#include <random>
#include <string>
#include <vector>

#include "controls/ListSort.h"

namespace {

struct Record {
    std::uint32_t size;
    std::uint32_t date;
    std::string name;
};

std::vector<Record> makeRecords(std::size_t n) {
    std::mt19937 rng(42);
    std::vector<Record> recs(n);
    for (Record& r : recs) {
        r.size = rng() % 100000;  // many equal sizes, as in real lists
        r.date = rng();
        r.name = "FILE" + std::to_string(rng() % 1000000) + ".TXT";
    }
    return recs;
}

int bySizeThenName(const Record* a, const Record* b) {
    if (a->size != b->size)
        return a->size < b->size ? -1 : 1;
    return a->name.compare(b->name);
}

void SortListWithCancel(benchmark::State& state) {
    const auto n = static_cast<std::size_t>(state.range(0));
    std::vector<Record> recs = makeRecords(n);
    std::vector<Record*> original;
    original.reserve(n);
    for (Record& r : recs)
        original.push_back(&r);
    std::shuffle(original.begin(), original.end(), std::mt19937(7));

    std::atomic<bool> cancel{false};
    std::size_t pumps = 0;
    kv::SortHooks hooks;
    hooks.escPressed = [] { return false; };
    hooks.processMessages = [&] { ++pumps; };
    hooks.progressStep = [](std::size_t) {};
    for (auto _ : state) {
        state.PauseTiming();
        std::vector<Record*> list = original;
        state.ResumeTiming();
        benchmark::DoNotOptimize(kv::SortListWithCancel(list, bySizeThenName, cancel, hooks));
    }
    state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(n));
    benchmark::DoNotOptimize(pumps);
}
BENCHMARK(SortListWithCancel)->Arg(10000)->Arg(1000000)->Unit(benchmark::kMillisecond);

}  // namespace
