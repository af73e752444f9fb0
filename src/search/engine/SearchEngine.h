#pragma once
// One search run, as the worker thread executes it: pass 1 counts what there
// is to check, pass 2 walks the disks in scope (a normal search tests items, a
// duplicate search collects candidates), then duplicates are grouped. Records
// are loaded, freed and listed only through the host, on the main thread.
#include <atomic>
#include <chrono>
#include <cstdint>
#include <exception>
#include <functional>
#include <vector>

#include "base/text/AnsiCase.h"
#include "catalog/model/ItemRecords.h"
#include "search/engine/Duplicates.h"
#include "search/engine/ItemMatch.h"
#include "search/engine/SearchHost.h"
#include "search/engine/SearchScope.h"
#include "system/SystemCaseMap.h"

namespace kv {

struct SearchOutcome {
    std::int64_t found = 0;
    // Cancelled, closed or the hit limit reached: no "No hits" message.
    bool stopped = false;
    // What ended the run early; the hits found before it are kept.
    std::exception_ptr error;
};

class SearchEngine {
public:
    static constexpr std::int64_t kProgressStep = 128;
    // Progress and hits go to the main thread at most this often, so that its
    // queue never fills with them; a large batch of hits goes at once.
    static constexpr std::chrono::milliseconds kProgressInterval{50};
    static constexpr std::size_t kMaxHitBatch = 8192;

    // Everything is captured before the run and outlives it. stop is set by the
    // main thread to cancel, and by the engine when the hit limit is reached.
    SearchEngine(const TSearchCriteria& criteria, const SearchScope& scope, ISearchHost& host, std::atomic<bool>& stop,
                 bool archivesAsFiles = true, const CaseMap& caseMap = systemCaseMap());

    // Runs on the worker; every exception is caught and returned.
    SearchOutcome Execute();

    // Tests that look at each progress step set 0.
    void SetProgressInterval(std::chrono::milliseconds interval) { interval_ = interval; }
    // Told on the worker of each duplicate group's size once its items are
    // hits, for showing the groups apart.
    void SetGroupSink(std::function<void(std::size_t)> sink) { groupSink_ = std::move(sink); }

private:
    ResultSlot Slot() const { return criteria_.duplicateMode ? ResultSlot::Duplicates : ResultSlot::Search; }
    bool StopRequested() const { return stop_.load(std::memory_order_relaxed); }
    bool Unlisted(const ItemHead& item) const { return item.indexWord(Slot()) == kNotListed; }

    void Walk();
    void SearchCatalogTree(Node& node, const CatalogContext& catalog);
    void WalkChildren(Node& node, ListsRead lists, const std::function<void(Node&)>& visit);
    void SearchFileList(Node& node, FileOwnerRecord& owner, const CatalogContext& catalog);
    void CollectDuplicateCandidates(Node& node);
    void AddDuplicateCandidate(ItemHead& item);
    void GroupDuplicates();
    void AddHit(ItemHead& item);
    void ReportSearchProgress(std::int64_t n);
    void Flush();

    using Clock = std::chrono::steady_clock;

    const TSearchCriteria& criteria_;
    const SearchScope& scope_;
    ISearchHost& host_;
    std::atomic<bool>& stop_;
    const CaseMap& caseMap_;
    ItemMatcher matcher_;
    DuplicateComparer comparer_;
    DuplicateKeyOrder keyOrder_;

    SearchPhase phase_ = SearchPhase::Walking;
    std::int64_t checked_ = 0;
    std::int64_t total_ = 0;
    std::int64_t found_ = 0;
    std::vector<ItemHead*> batch_;
    std::chrono::milliseconds interval_ = kProgressInterval;
    Clock::time_point lastFlush_;
    DuplicateBuckets buckets_;
    std::int64_t candidates_ = 0;
    std::function<void(std::size_t)> groupSink_;
};

}  // namespace kv
