#pragma once
// Sorting of item and result lists that may hold a million entries, with the
// user able to stop it and keep what is sorted so far.
#include <algorithm>
#include <atomic>
#include <cstddef>
#include <functional>
#include <string_view>
#include <vector>

namespace kv {

// The question asked when Esc interrupts a sort (Yes/No, question icon).
inline constexpr std::string_view kSortHaltedText =
    "Sorting was temporarily halted by user.\rWould you like to cancel sort and proceed with partial results?";
inline constexpr std::string_view kSortHaltedCaption = "Cancel sort";

// What the sort asks of its surroundings; every member may be left empty. All
// are called on the sorting thread, so a sort on a worker must marshal askCancel
// to the main thread itself.
struct SortHooks {
    std::function<void()> prepare;                    // the list owner's PrepareSort
    std::function<bool()> escPressed;                 // Esc is down now
    std::function<bool()> askCancel;                  // true: stop, keep the partial result
    std::function<void()> processMessages;            // pending window messages
    std::function<void(std::size_t)> progressBegin;   // the number of entries
    std::function<void(std::size_t)> progressStep;    // entries handled since the last step
    std::size_t blockSize = 4096;                     // entries between two polls
    // True when a pump changed the list in a way its size does not show.
    std::function<bool()> changed;
    // True: stop at once, between blocks and between merges, leaving the
    // entries in no particular order (each still there once). For callers that
    // drop the list when stopped, so that a stop costs no final merge.
    std::function<bool()> abandon;
};

namespace detail {

struct BlockSortOps {
    std::function<std::size_t()> count;
    std::function<void(std::size_t, std::size_t)> sortRange;                  // stable
    std::function<void(std::size_t, std::size_t, std::size_t)> mergeRanges;  // stable
};

bool sortInBlocks(const BlockSortOps& ops, std::atomic<bool>& cancel, const SortHooks& hooks);

}  // namespace detail

// Stable sort by Compare (negative: the first argument goes first). Between
// blocks of entries it polls Esc (a press that began before the sort does not
// count), pumps messages and checks the cancel flag, which it clears on entry
// and which anyone may set. Stopped early, the entries handled so far are in
// order and the rest follow in their original order; the result is then false.
// A list whose size changes while messages are pumped (or that `changed`
// reports) is left alone from then on.
template <class T, class Compare>
bool SortListWithCancel(std::vector<T>& list, Compare compare, std::atomic<bool>& cancel,
                        const SortHooks& hooks = {}) {
    auto less = [&compare](const T& a, const T& b) { return compare(a, b) < 0; };
    const detail::BlockSortOps ops{
        [&list] { return list.size(); },
        [&list, &less](std::size_t first, std::size_t last) {
            std::stable_sort(list.begin() + first, list.begin() + last, less);
        },
        [&list, &less](std::size_t first, std::size_t middle, std::size_t last) {
            std::inplace_merge(list.begin() + first, list.begin() + middle, list.begin() + last, less);
        }};
    return detail::sortInBlocks(ops, cancel, hooks);
}

// Reverses a sorted list for the opposite direction; a first entry that is the
// marker (the ".." row) stays first.
template <class T>
void ReverseResultList(std::vector<T>& list, const T& marker) {
    auto first = list.begin();
    if (first != list.end() && *first == marker)
        ++first;
    std::reverse(first, list.end());
}

}  // namespace kv
