#pragma once
// Duplicate search: candidates go into first-character buckets when the name
// is a key (else into one), each bucket is sorted by the chosen keys, and one
// pass over the sorted bucket gathers the items that agree on them into groups.
#include <array>
#include <atomic>
#include <functional>
#include <span>
#include <string_view>
#include <vector>

#include "base/text/AnsiCase.h"
#include "catalog/model/ItemHead.h"
#include "search/engine/SearchCriteria.h"
#include "system/SystemCaseMap.h"

namespace kv {

inline constexpr std::size_t kDuplicateBuckets = 28;
using DuplicateBuckets = std::array<std::vector<ItemHead*>, kDuplicateBuckets>;

// "A".."Z" (either case) 0..25, digits 26, anything else 27.
std::size_t DuplicateBucketOf(std::string_view name);
// The bucket of a candidate: by its name's first character when the name is a
// key, else the first bucket, so that items with other first letters meet.
std::size_t DuplicateBucketOf(const TSearchCriteria& criteria, std::string_view name);

// The name an item is known by: a file's name, the node text of a folder or disk.
std::string_view ItemName(const ItemHead& item);

// The result list's order by the Item Size column, ascending, made for one run
// with the archive setting of its start, so that other sorts on the main thread
// cannot change it halfway.
class DuplicateComparer {
public:
    explicit DuplicateComparer(bool archivesAsFiles) : archivesAsFiles_(archivesAsFiles) {}
    // Negative when a goes first, 0 when equal.
    int Compare(const ItemHead* a, const ItemHead* b) const;

private:
    bool archivesAsFiles_;
};

// Whether two items agree on the chosen keys; two disks instead by serial,
// label, media type and capacity. Other pairs of kinds never do.
bool ItemsAreDuplicates(const TSearchCriteria& criteria, const ItemHead* a, const ItemHead* b,
                        const CaseMap& caseMap = systemCaseMap());

// The order a bucket is sorted in before grouping: by kind (disks, then files
// and folders), then by the chosen keys (size, name ignoring case, date,
// attributes; disks by serial, label and capacity), then as the result list
// shows them. Items that ItemsAreDuplicates pairs are never told apart by the
// keys, so each group lies inside one run of equal keys.
class DuplicateKeyOrder {
public:
    DuplicateKeyOrder(const TSearchCriteria& criteria, const DuplicateComparer& shown,
                      const CaseMap& caseMap = systemCaseMap())
        : criteria_(criteria), shown_(shown), caseMap_(caseMap) {}
    // Negative when a goes first; 0 when they agree on every key.
    int CompareKeys(const ItemHead* a, const ItemHead* b) const;
    // The keys, then the shown order.
    int Compare(const ItemHead* a, const ItemHead* b) const;

private:
    int compareNames(std::string_view a, std::string_view b) const;

    const TSearchCriteria& criteria_;
    const DuplicateComparer& shown_;
    const CaseMap& caseMap_;
};

using DuplicateGroupSink = std::function<void(std::span<ItemHead* const>)>;

// Walks the bucket, sorted by `order`, in runs of equal keys; in each run the
// items that are duplicates of its first one move up behind it and go to sink
// as one group, and the rest of the run is walked again. O(n) for runs whose
// items all pair. False when stopped.
bool FindDuplicates(std::vector<ItemHead*>& bucket, const DuplicateKeyOrder& order, const TSearchCriteria& criteria,
                    const std::atomic<bool>& stop, const DuplicateGroupSink& sink,
                    const CaseMap& caseMap = systemCaseMap());

}  // namespace kv
