#include "search/engine/SyncSearchHost.h"

#include <algorithm>

#include "catalog/file/CatalogLoad.h"
#include "catalog/model/FreeRecords.h"
#include "catalog/model/Node.h"

namespace kv {

void SyncSearchHost::EnsureSubfolders(Node& node) {
    services_.sync.synchronize([&] { LoadSubfolders(&node, false, false, services_.prompt); });
}

bool SyncSearchHost::EnsureFileList(Node& node) {
    bool loadedNow = false;
    services_.sync.synchronize([&] {
        auto* owner = RecordAs<FileOwnerRecord>(node.record());
        if (!owner || owner->loaded)
            return;
        LoadFileList(&node, services_.prompt);
        loadedNow = owner->loaded;
        if (loadedNow)
            loadedByWalk_.insert(&node);
    });
    return loadedNow;
}

bool SyncSearchHost::MayRelease(const Node& node, const FileOwnerRecord& owner) const {
    if (!loadedByWalk_.contains(&node))
        return false;
    if (services_.shownNode && services_.shownNode() == &node)
        return false;
    // Listed anywhere (the user list included, which can grow during a run).
    const bool listed = std::any_of(owner.files.begin(), owner.files.end(), [](const TFileRec& f) {
        return std::any_of(f.listIndex.begin(), f.listIndex.end(), [](std::uint16_t w) { return IsListed(w); });
    });
    return !listed;
}

void SyncSearchHost::ReleaseFileList(Node& node) {
    services_.sync.synchronize([&] {
        auto* owner = RecordAs<FileOwnerRecord>(node.record());
        if (!owner || !MayRelease(node, *owner))
            return;
        // Pins (views, compares, reports) and changes are checked again by the model.
        if (UnloadFileList(node))
            loadedByWalk_.erase(&node);
    });
}

void SyncSearchHost::Progress(const SearchProgress& progress, std::vector<ItemHead*>&& hits) {
    services_.sync.synchronize([&] {
        TResultList& list = services_.results;
        for (ItemHead* hit : hits) {
            if (IsListed(hit->indexWord(list.slot())))
                continue;
            if (firstHit_ < 0)
                firstHit_ = static_cast<std::int64_t>(list.Count());
            list.Append(*hit);
        }
        if (services_.showProgress)
            services_.showProgress(progress);
    });
}

bool SyncSearchHost::AskCancelSort() {
    bool answer = false;
    services_.sync.synchronize([&] { answer = services_.askCancelSort && services_.askCancelSort(); });
    return answer;
}

bool SyncSearchHost::EscPressed() { return services_.escPressed && services_.escPressed(); }

}  // namespace kv
