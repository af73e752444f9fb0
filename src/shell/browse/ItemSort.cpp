#include "shell/browse/ItemSort.h"

#include <algorithm>

#include "controls/ListSort.h"

namespace kv {

namespace {

constexpr std::size_t kInsertionRun = 16;

// Binary insertion: the slot is searched only inside [first, i).
template <class List>
void insertionSort(List& list, std::size_t first, std::size_t last, const ItemComparer& compare) {
    for (std::size_t i = first + 1; i < last; ++i) {
        const auto item = list[i];
        std::size_t lo = first, hi = i;
        while (lo < hi) {
            const std::size_t mid = lo + (hi - lo) / 2;
            if (compare(item, list[mid]) < 0)
                hi = mid;
            else
                lo = mid + 1;
        }
        std::move_backward(list.begin() + static_cast<std::ptrdiff_t>(lo), list.begin() + static_cast<std::ptrdiff_t>(i),
                           list.begin() + static_cast<std::ptrdiff_t>(i) + 1);
        list[lo] = item;
    }
}

// Merges [first, middle) and [middle, last); equal entries keep the left one first.
template <class List>
void merge(List& list, std::size_t first, std::size_t middle, std::size_t last, const ItemComparer& compare,
           List& buffer) {
    if (first >= middle || middle >= last || compare(list[middle], list[middle - 1]) >= 0)
        return;
    buffer.assign(list.begin() + static_cast<std::ptrdiff_t>(first), list.begin() + static_cast<std::ptrdiff_t>(middle));
    std::size_t l = 0, r = middle, out = first;
    while (l < buffer.size() && r < last) {
        if (compare(list[r], buffer[l]) < 0)
            list[out++] = list[r++];
        else
            list[out++] = buffer[l++];
    }
    while (l < buffer.size())
        list[out++] = buffer[l++];
}

template <class List>
void stableSort(List& list, std::size_t first, std::size_t last, const ItemComparer& compare) {
    last = std::min(last, list.size());
    if (first >= last)
        return;
    for (std::size_t run = first; run < last; run += kInsertionRun)
        insertionSort(list, run, std::min(run + kInsertionRun, last), compare);
    List buffer;
    for (std::size_t width = kInsertionRun; width < last - first; width *= 2)
        for (std::size_t lo = first; lo + width < last; lo += 2 * width)
            merge(list, lo, lo + width, std::min(lo + 2 * width, last), compare, buffer);
}

// Works on the caller's vector itself: its size, read after every pump, is
// the guard that stops the sort when a pump changed the list.
template <class List>
bool sortWithCancel(List& list, const ItemComparer& compare, std::atomic<bool>& cancel, const SortHooks& hooks) {
    List buffer;
    const detail::BlockSortOps ops{
        [&list] { return list.size(); },
        [&](std::size_t first, std::size_t last) { stableSort(list, first, last, compare); },
        [&](std::size_t first, std::size_t middle, std::size_t last) {
            merge(list, first, middle, last, compare, buffer);
        }};
    return detail::sortInBlocks(ops, cancel, hooks);
}

}  // namespace

void StableSortItems(ItemList& list, std::size_t first, std::size_t last, const ItemComparer& compare) {
    stableSort(list, first, last, compare);
}

bool SortListWithCancel(ItemList& list, const ItemComparer& compare, std::atomic<bool>& cancel,
                        SortProgress* progress, SortInterrupt* interrupt) {
    SortHooks hooks;
    if (progress) {
        hooks.progressBegin = [progress](std::size_t n) { progress->begin(n); };
        hooks.progressStep = [progress](std::size_t n) { progress->step(n); };
    }
    if (interrupt) {
        hooks.escPressed = [interrupt] { return interrupt->escPressed(); };
        hooks.askCancel = [interrupt] { return interrupt->askCancel(); };
        hooks.processMessages = [interrupt] { interrupt->processMessages(); };
    }
    return sortWithCancel(list, compare, cancel, hooks);
}

bool SortListWithCancel(std::vector<ItemHead*>& list, const ItemComparer& compare, std::atomic<bool>& cancel,
                        const SortHooks& hooks) {
    return sortWithCancel(list, compare, cancel, hooks);
}

}  // namespace kv
