#pragma once
// Sorting item lists by the item comparer: stable, O(n log n), and safe with a
// comparer that is not a consistent order (every index it touches comes from
// the ranges it was given, never from where a comparison promised a boundary).
// Long sorts report progress and let the user stop them with Esc.
#include <atomic>
#include <cstddef>
#include <vector>

#include "catalog/model/ItemHead.h"
#include "controls/ListSort.h"
#include "shell/browse/ItemComparer.h"

namespace kv {

// The progress shown while sorting (the status bar or the progress window).
class SortProgress {
public:
    virtual ~SortProgress() = default;
    virtual void begin(std::size_t total) = 0;
    virtual void step(std::size_t handled) = 0;
};

// The keyboard and the message loop while sorting.
class SortInterrupt {
public:
    virtual ~SortInterrupt() = default;
    virtual bool escPressed() = 0;
    // Asked after a fresh Esc press: true stops with the partial result.
    virtual bool askCancel() = 0;
    virtual void processMessages() = 0;
};

using ItemList = std::vector<const ItemHead*>;

// Stable merge sort of [first, last) by compare; a permutation whatever compare returns.
void StableSortItems(ItemList& list, std::size_t first, std::size_t last, const ItemComparer& compare);

// Sorts the whole list, polling between blocks of entries. False when it was
// stopped (Esc answered Yes, or `cancel` set): the entries handled so far are
// in order, the rest follow, and nothing is lost or repeated.
bool SortListWithCancel(ItemList& list, const ItemComparer& compare, std::atomic<bool>& cancel,
                        SortProgress* progress = nullptr, SortInterrupt* interrupt = nullptr);
// The same on a list of writable records, polling through the hooks; it stops
// for good when a pump changed the list (its size, or what hooks.changed reports).
bool SortListWithCancel(std::vector<ItemHead*>& list, const ItemComparer& compare, std::atomic<bool>& cancel,
                        const SortHooks& hooks);

// Refuses a sort that starts while another one runs (a header click in another
// window while the first pumps messages). One per program part that sorts.
class SortGate {
public:
    class Pass {
    public:
        explicit Pass(SortGate& gate) : gate_(gate.busy_ ? nullptr : &gate) { if (gate_) gate_->busy_ = true; }
        ~Pass() { if (gate_) gate_->busy_ = false; }
        Pass(const Pass&) = delete;
        Pass& operator=(const Pass&) = delete;
        explicit operator bool() const { return gate_ != nullptr; }

    private:
        SortGate* gate_;
    };
    bool busy() const { return busy_; }

private:
    bool busy_ = false;
};

}  // namespace kv
