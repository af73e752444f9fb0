#pragma once
// The order of the disk selection window's candidates: a click on a new
// column sorts ascending by it; the same column again only reverses the list.
#include <atomic>
#include <functional>
#include <vector>

#include "catalog/model/Node.h"

namespace kv {

// Negative: a goes first.
using CandidateCompare = std::function<int(const Node* a, const Node* b, int column)>;

class CandidateOrder {
public:
    int sortColumn() const { return sortColumn_; }
    bool descending() const { return descending_; }

    // False when the sort was cancelled (the list is then partly sorted).
    bool columnClick(int column, std::vector<Node*>& candidates, const CandidateCompare& compare);
    std::atomic<bool> cancel{false};

private:
    int sortColumn_ = 0;
    bool descending_ = false;
};

}  // namespace kv
