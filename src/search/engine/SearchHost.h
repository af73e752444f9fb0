#pragma once
// What the search worker asks of the main thread. Every call may block while
// the main thread runs it; the main thread alone loads and frees records and
// writes the result lists.
#include <cstdint>
#include <vector>

#include "catalog/model/ItemHead.h"

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

class ISearchHost {
public:
    virtual ~ISearchHost() = default;
    // Makes the node's subfolder nodes present.
    virtual void EnsureSubfolders(Node& node) = 0;
    // Makes the folder's or disk's file list present; true when this call read it.
    virtual bool EnsureFileList(Node& node) = 0;
    // The walk found nothing in a list it loaded; the main thread frees it when
    // nothing else holds it.
    virtual void ReleaseFileList(Node& node) = 0;
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
