// How long the main thread goes without answering while a search runs: the
// engine on its worker as the search window starts it, the worker's calls
// served by the message loop, and a 10 ms timer on the main thread whose
// longest gap between ticks is printed. Once with the file lists read from the
// catalog during the walk (every read is a call onto the main thread), once
// with them already loaded.
// Each case runs RUNS times (5); the gaps of the timer alone over a second show
// how much of a gap is the machine's own scheduling.
// Usage: search_responsiveness_bench CATALOG.ctf [MASK] [RUNS]
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <exception>
#include <functional>
#include <cstdlib>
#include <string>
#include <vector>

#include "catalog/file/CatalogLoad.h"
#include "catalog/model/ItemRecords.h"
#include "search/engine/SearchRun.h"
#include "search/engine/SearchSyncWin32.h"
#include "search/results/ResultList.h"
#include "ui/Application.h"
#include "ui/Timer.h"

namespace {

using namespace kv;
using Clock = std::chrono::steady_clock;

double Ms(Clock::duration d) { return std::chrono::duration<double, std::milli>(d).count(); }

// The program's main loop, not a modal one: the worker's calls wait for it,
// since they run only from the application's outermost dispatch. The longest
// single pass over the queue is the main thread's own longest piece of work;
// a longer gap between ticks is time it was not scheduled, or a queue so full
// of posted messages that the timer (the lowest priority) waited.
struct MainLoop {
    long dispatched = 0;
    double longestDispatch = 0;

    void runUntil(const std::function<bool()>& done) {
        ui::Application& app = ui::Application::instance();
        while (!done() && !app.terminated()) {
            WaitMessage();
            const Clock::time_point start = Clock::now();
            app.processMessages();
            longestDispatch = std::max(longestDispatch, Ms(Clock::now() - start));
            ++dispatched;
        }
    }
};

// A 10 ms timer on the main thread that keeps the longest gap between its
// ticks and how many messages the loop dispatched within it.
class TickGaps {
public:
    explicit TickGaps(const MainLoop& loop) : loop_(loop) {
        timer_.setInterval(10);
        timer_.onTimer = [this](ui::Timer&) {
            const Clock::time_point now = Clock::now();
            if (Ms(now - last_) > longest) {
                longest = Ms(now - last_);
                messagesInLongest = loop_.dispatched - lastDispatched_;
            }
            last_ = now;
            lastDispatched_ = loop_.dispatched;
            ++ticks;
        };
        last_ = Clock::now();
        lastDispatched_ = loop_.dispatched;
        timer_.setEnabled(true);
    }
    ~TickGaps() { timer_.setEnabled(false); }

    // The time since the last tick is a gap too: a run the timer never got
    // into is one long gap, not none.
    void finish() {
        const double tail = Ms(Clock::now() - last_);
        if (tail > longest) {
            longest = tail;
            messagesInLongest = loop_.dispatched - lastDispatched_;
        }
    }

    double longest = 0;
    long messagesInLongest = 0;
    long ticks = 0;

private:
    const MainLoop& loop_;
    ui::Timer timer_;
    Clock::time_point last_;
    long lastDispatched_ = 0;
};

double TimerAlone() {
    MainLoop loop;
    TickGaps gaps(loop);
    const Clock::time_point end = Clock::now() + std::chrono::seconds(1);
    loop.runUntil([&] { return Clock::now() >= end; });
    gaps.finish();
    return gaps.longest;
}

double RunOnce(Forest& forest, const std::string& mask) {
    SearchFormValues values;
    values.byName = true;
    values.nameMode = NameMode::Mask;
    values.nameText = mask;
    values.searchFolders = values.searchDisks = false;
    TSearchCriteria criteria = CompileSearchCriteria(values);
    SearchScope scope =
        CaptureSearchScope(forest, false, {}, {criteria.searchFiles, criteria.searchFolders, criteria.searchDisks});

    SearchSyncWin32 sync;
    TResultList results(ResultSlot::Search);
    ResultListSet lists;
    lists.Attach(&results);
    forest.context().resultLists = &lists;
    long progressCalls = 0;
    SearchHostServices host{sync, results, {}, [&](const SearchProgress&) { ++progressCalls; }, [] { return true; },
                            [] { return false; }, nullptr};
    bool done = false;
    const Clock::time_point start = Clock::now();
    SearchRun run(std::move(criteria), std::move(scope), std::move(host), true);
    MainLoop loop;
    TickGaps gaps(loop);
    run.Start([&](const SearchOutcome&) { done = true; });
    loop.runUntil([&] { return done; });
    gaps.finish();
    const double total = Ms(Clock::now() - start);
    std::printf("    %5.0f ms run, %5zu hits, %4ld progress calls, %3ld ticks, longest gap %5.1f ms (%ld loop passes in it), "
                "longest pass %4.1f ms\n",
                total, results.Count(), progressCalls, gaps.ticks, gaps.longest, gaps.messagesInLongest,
                loop.longestDispatch);
    std::fflush(stdout);
    results.ClearSearchResults();
    forest.context().resultLists = nullptr;
    return gaps.longest;
}

void Summary(const char* what, std::vector<double> gaps) {
    std::sort(gaps.begin(), gaps.end());
    std::printf("%s: longest gap min %.1f, median %.1f, max %.1f ms\n", what, gaps.front(), gaps[gaps.size() / 2],
                gaps.back());
    std::fflush(stdout);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: search_responsiveness_bench CATALOG.ctf [MASK]\n");
        return 2;
    }
    const std::string mask = argc > 2 ? argv[2] : "*9.TXT";
    const int runs = std::max(1, argc > 3 ? std::atoi(argv[3]) : 5);
    try {
        Forest forest;
        Node* catalog = ReadCatalogFile(forest, argv[1]);
        std::uint64_t files = 0;
        for (const auto& disk : catalog->children())
            files += RecordAs<TDiskRec>(disk->record())->volume.fileCount;
        std::printf("%llu files, mask %s\n", static_cast<unsigned long long>(files), mask.c_str());
        std::vector<double> alone, fromFile, loaded;
        for (int i = 0; i < runs; ++i)
            alone.push_back(TimerAlone());
        Summary("timer alone for 1 s", alone);
        std::printf("lists read from the catalog during the walk:\n");
        for (int i = 0; i < runs; ++i)
            fromFile.push_back(RunOnce(forest, mask));
        for (const auto& disk : catalog->children()) {
            LoadSubfolders(disk.get(), true, true);
            LoadFileList(disk.get());
        }
        std::printf("lists already loaded:\n");
        for (int i = 0; i < runs; ++i)
            loaded.push_back(RunOnce(forest, mask));
        Summary("search, lists read during the walk", fromFile);
        Summary("search, lists already loaded", loaded);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "search_responsiveness_bench: %s\n", e.what());
        return 1;
    }
    return 0;
}
