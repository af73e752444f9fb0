#pragma once
// Duplicate search: candidates go into first-character buckets, each bucket is
// sorted by item size, and inside every run of equal sizes the items that agree
// on the chosen keys are gathered into groups.
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

using DuplicateGroupSink = std::function<void(std::span<ItemHead* const>)>;

// Walks the sorted bucket in runs the comparer ranks equal; in each run the
// items that are duplicates of its first one move up behind it and go to sink
// as one group, and the rest is walked again. False when stopped.
bool FindDuplicates(std::vector<ItemHead*>& bucket, const DuplicateComparer& comparer, const TSearchCriteria& criteria,
                    const std::atomic<bool>& stop, const DuplicateGroupSink& sink,
                    const CaseMap& caseMap = systemCaseMap());

}  // namespace kv
