// The matcher as the search runs it: every catalogued name against one mask,
// taken apart once.
#include <benchmark/benchmark.h>

#include <random>
#include <string>
#include <vector>

#include "base/text/AnsiCase.h"
#include "base/text/Wildcard.h"

namespace {

std::vector<std::string> makeNames() {
    static const char* const stems[] = {"readme", "Setup", "FILE", "Photo 2004-07", "install_notes",
                                        "a", "Very Long Document Name With Spaces", "DATA"};
    static const char* const exts[] = {".txt", ".TXT", ".exe", ".jpg", "", ".tar.gz", ".Doc"};
    std::mt19937 rng(3);
    std::vector<std::string> names;
    for (int i = 0; i < 100000; ++i)
        names.push_back(std::string(stems[rng() % 8]) + std::to_string(rng() % 1000) + exts[rng() % 7]);
    return names;
}

void MatchWildcard(benchmark::State& state, const char* mask) {
    const std::vector<std::string> names = makeNames();
    const kv::CaseMap& caseMap = kv::cp1252CaseMap();
    const kv::WildcardMask compiled(mask);
    for (auto _ : state) {
        std::size_t hits = 0;
        for (const std::string& name : names)
            hits += compiled.Matches(name, caseMap);
        benchmark::DoNotOptimize(hits);
    }
    state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(names.size()));
}
BENCHMARK_CAPTURE(MatchWildcard, AnyTxt, "*.TXT");
BENCHMARK_CAPTURE(MatchWildcard, NoExtension, "*.");
BENCHMARK_CAPTURE(MatchWildcard, Question, "F?LE*.*");
BENCHMARK_CAPTURE(MatchWildcard, ManyStars, "*O*E*N*S*");

}  // namespace
