#include "controls/ListSort.h"

namespace kv::detail {

namespace {

struct Run {
    std::size_t first, last;
};

// Sorted runs waiting to be merged, kept like a binary counter so that every
// entry takes part in O(log n) merges: blocks stay small for polling while the
// whole sort remains O(n log n).
class RunStack {
public:
    RunStack(const BlockSortOps& ops, const std::function<bool()>& abandon) : ops_(ops), abandon_(abandon) {}

    void push(Run run) {
        runs_.push_back(run);
        while (runs_.size() >= 2 && length(runs_[runs_.size() - 2]) <= length(runs_.back()) && !abandoned())
            mergeTop();
    }

    // False when abandoned before the runs were one.
    bool mergeAll() {
        while (runs_.size() >= 2 && !abandoned())
            mergeTop();
        return runs_.size() < 2;
    }

    bool abandoned() const { return abandon_ && abandon_(); }

private:
    static std::size_t length(Run r) { return r.last - r.first; }

    void mergeTop() {
        const Run right = runs_.back();
        runs_.pop_back();
        Run& left = runs_.back();
        ops_.mergeRanges(left.first, right.first, right.last);
        left.last = right.last;
    }

    const BlockSortOps& ops_;
    const std::function<bool()>& abandon_;
    std::vector<Run> runs_;
};

}  // namespace

bool sortInBlocks(const BlockSortOps& ops, std::atomic<bool>& cancel, const SortHooks& hooks) {
    cancel = false;
    const std::size_t count = ops.count();
    if (hooks.progressBegin)
        hooks.progressBegin(count);
    if (hooks.prepare)
        hooks.prepare();
    if (count < 2)
        return true;

    // Esc still held from whatever started the sort must be released first.
    bool escArmed = !(hooks.escPressed && hooks.escPressed());
    const std::size_t block = std::max<std::size_t>(hooks.blockSize, 1);
    RunStack runs(ops, hooks.abandon);
    std::size_t done = 0;
    while (done < count) {
        if (runs.abandoned())
            return false;
        if (hooks.escPressed) {
            if (!hooks.escPressed()) {
                escArmed = true;
            } else if (escArmed) {
                escArmed = false;
                if (hooks.askCancel && hooks.askCancel())
                    break;
            }
        }
        const std::size_t end = std::min(done + block, count);
        ops.sortRange(done, end);
        runs.push({done, end});
        if (hooks.progressStep)
            hooks.progressStep(end - done);
        done = end;
        if (hooks.processMessages) {
            hooks.processMessages();
            if (ops.count() != count || (hooks.changed && hooks.changed()))
                return false;
        }
        if (cancel)
            break;
    }
    return runs.mergeAll() && done == count;
}

}  // namespace kv::detail
