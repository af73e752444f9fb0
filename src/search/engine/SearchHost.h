#pragma once
// What the search worker asks of the main thread. Every call may block while
// the main thread runs it; the main thread alone loads and frees records and
// writes the result lists.
#include <cstdint>
#include <vector>

#include "catalog/model/ItemFlags.h"
#include "catalog/model/ItemHead.h"
#include "catalog/model/ItemRecords.h"

namespace kv {

class Node;

enum class SearchPhase : std::uint8_t { Walking, Collecting, Grouping };

struct SearchProgress {
    std::int64_t checked = 0;
    std::int64_t total = 0;
    // Hits of this run so far (collected candidates while collecting duplicates).
    std::int64_t found = 0;
    SearchPhase phase = SearchPhase::Walking;
};

// Which file lists a walk reads: none, every list, or only the lists marked as
// holding a description (a description search over a catalog that marks them).
enum class ListsRead : std::uint8_t { None, All, Described };

inline bool ReadsFileList(ListsRead lists, const FileOwnerRecord& owner) {
    return lists == ListsRead::All ||
           (lists == ListsRead::Described && HasFlag(owner.flags, ItemFlags::HasDescriptions));
}

class ISearchHost {
public:
    virtual ~ISearchHost() = default;
    // Makes the node's subfolder nodes present. lists: which lists the walk
    // reads below the node, so that a host may read them ahead of it.
    virtual void EnsureSubfolders(Node& node, ListsRead lists) = 0;
    // Makes the folder's or disk's file list present; true when the walk read it
    // (in this call or ahead of it) and may release it again.
    virtual bool EnsureFileList(Node& node, ListsRead lists) = 0;
    // The walk found nothing in a list it loaded; the main thread frees it when
    // nothing else holds it.
    virtual void ReleaseFileList(Node& node) = 0;
    // The walk is over (done, stopped or failed): lists read ahead that it never
    // reached go with the next call.
    virtual void WalkEnded() {}
    // Takes over the hits found since the last call: the main thread appends them
    // to the result list and writes their index words. A call that throws leaves
    // them with the caller, who hands them over again.
    virtual void Progress(const SearchProgress& progress, std::vector<ItemHead*>&& hits) = 0;
    // Esc during a duplicate bucket sort: true = stop sorting and keep what is sorted.
    virtual bool AskCancelSort() = 0;
    // Esc is down now (polled during long sorts).
    virtual bool EscPressed() { return false; }
};

}  // namespace kv
