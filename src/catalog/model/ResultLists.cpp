#include "catalog/model/ResultLists.h"

namespace kv {

namespace {
std::size_t SlotIndex(ResultSlot slot) { return static_cast<std::size_t>(slot); }
}  // namespace

std::optional<std::size_t> FindInResultList(const ModelContext& ctx, const ItemHead& rec, ResultSlot slot) {
    const IResultLists* lists = ctx.resultLists;
    if (!lists || !IsListed(rec.indexWord(slot)) || !lists->hasList(slot))
        return std::nullopt;
    return ProbeListIndex(rec.indexWord(slot), lists->size(slot),
                          [&](std::size_t i) { return lists->entry(slot, i) == &rec; });
}

bool IsInAnyResultList(const ModelContext& ctx, const ItemHead& rec) {
    for (ResultSlot slot : kResultSlots) {
        if (FindInResultList(ctx, rec, slot))
            return true;
    }
    return false;
}

void UnlinkFromResultList(ModelContext& ctx, ItemHead& rec, ResultSlot slot) {
    if (ctx.programClosing)
        return;
    if (auto at = FindInResultList(ctx, rec, slot)) {
        ctx.resultLists->clearEntry(slot, *at);
        ctx.lostEntry[SlotIndex(slot)] = true;
    }
    rec.indexWord(slot) = kNotListed;
}

void UnlinkFromResultLists(ModelContext& ctx, ItemHead& rec) {
    for (ResultSlot slot : kResultSlots)
        UnlinkFromResultList(ctx, rec, slot);
}

void ClearRemovedFlags(ModelContext& ctx) { ctx.lostEntry = {}; }

void RefreshResultLists(ModelContext& ctx) {
    if (ctx.programClosing)
        return;
    for (ResultSlot slot : kResultSlots) {
        bool& lost = ctx.lostEntry[SlotIndex(slot)];
        if (!lost)
            continue;
        lost = false;
        if (ctx.resultLists && ctx.resultLists->hasList(slot))
            ctx.resultLists->renumber(slot);
    }
}

ResultListBatch::ResultListBatch(ModelContext& ctx) : ctx_(ctx) {
    if (ctx_.batchDepth++ == 0)
        ClearRemovedFlags(ctx_);
}

ResultListBatch::~ResultListBatch() {
    if (--ctx_.batchDepth == 0)
        RefreshResultLists(ctx_);
}

}  // namespace kv
