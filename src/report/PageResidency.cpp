#include "report/PageResidency.h"

#include <algorithm>

namespace kv::report {

PageResidency::PageResidency(std::size_t capacity) : capacity_(std::max<std::size_t>(1, capacity)) {}

std::vector<std::size_t> PageResidency::Use(std::size_t page) {
    if (page >= resident_.size()) {
        resident_.resize(page + 1, false);
        where_.resize(page + 1);
    }
    if (resident_[page])
        order_.erase(where_[page]);
    order_.push_front(page);
    where_[page] = order_.begin();
    resident_[page] = true;
    std::vector<std::size_t> out;
    while (order_.size() > capacity_) {
        const std::size_t last = order_.back();
        order_.pop_back();
        resident_[last] = false;
        out.push_back(last);
    }
    return out;
}

bool PageResidency::Resident(std::size_t page) const { return page < resident_.size() && resident_[page]; }

}  // namespace kv::report
