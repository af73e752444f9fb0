#include "scan/DiskSelectOrder.h"

#include "controls/ListSort.h"

namespace kv {

bool CandidateOrder::columnClick(int column, std::vector<Node*>& candidates, const CandidateCompare& compare) {
    if (column == sortColumn_) {
        descending_ = !descending_;
        ReverseResultList(candidates, static_cast<Node*>(nullptr));
        return true;
    }
    sortColumn_ = column;
    descending_ = false;
    return SortListWithCancel(
        candidates, [&](Node* a, Node* b) { return compare(a, b, column); }, cancel);
}

}  // namespace kv
