#pragma once
// Which pages of a preview stay in memory. A report of thousands of pages
// would not fit a 32-bit process as metafiles, so only the pages used last
// stay; the others are written to files and read back when shown again.
#include <cstddef>
#include <list>
#include <vector>

namespace kv::report {

class PageResidency {
public:
    // At least one page stays: the one in use.
    explicit PageResidency(std::size_t capacity);

    // The page (from 0) is in memory now and used last; the result names the
    // pages to put out of memory, least recently used first.
    std::vector<std::size_t> Use(std::size_t page);
    bool Resident(std::size_t page) const;
    std::size_t ResidentCount() const { return order_.size(); }
    std::size_t Capacity() const { return capacity_; }

private:
    std::size_t capacity_;
    std::list<std::size_t> order_;  // the last used first
    std::vector<std::list<std::size_t>::iterator> where_;
    std::vector<bool> resident_;
};

}  // namespace kv::report
