#pragma once
// The main window's one display lock: bulk changes and tree moves by key take
// levels; while any is held the list is not refilled on a tree change and the
// commands are not updated. Every idle tick resets it, so a lost release
// (a key let go in another control) never leaves it stuck.
#include <cstdint>

namespace kv {

// A counter that neither wraps nor goes below 0.
class UpdateLock {
public:
    void lock() {
        if (count_ < kMax)
            ++count_;
    }
    void unlock() {
        if (count_ > 0)
            --count_;
    }
    void reset() { count_ = 0; }
    bool unlocked() const { return count_ == 0; }
    std::uint32_t count() const { return count_; }

private:
    static constexpr std::uint32_t kMax = 0xFFFFFFFFu;
    std::uint32_t count_ = 0;
};

}  // namespace kv
