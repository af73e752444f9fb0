#include "search/engine/SyncSearchHost.h"

#include <algorithm>

#include "catalog/file/CatalogLoad.h"
#include "catalog/model/FreeRecords.h"
#include "catalog/model/Node.h"

namespace kv {

void SyncSearchHost::OnMainThread(const std::function<void()>& call) {
    services_.sync.synchronize([&] {
        ReleasePending();
        call();
    });
}

namespace {

// Nodes found ready ahead of the walk in one call; bounds that call's work.
constexpr std::size_t kMaxReadyAhead = 4096;

// The list is in memory and the subfolders are read: the walk needs nothing of
// the main thread here. Nothing unloads a list or removes a node during a run
// but the walk's own releases, so this stays true until the walk gets there.
bool IsReady(const Node& node) {
    const auto* owner = RecordAs<FileOwnerRecord>(node.record());
    if (!owner || !owner->loaded)
        return false;
    if (const auto* folder = RecordAs<TFolderRec>(owner))
        return folder->subfolderPos <= 0;
    const auto* disk = RecordAs<TDiskRec>(owner);
    return disk && disk->topLevelRead;
}

// Main thread: the ready nodes below node, as far down as they stay ready.
std::vector<const Node*> ReadyBelow(const Node& node) {
    std::vector<const Node*> ready;
    std::vector<const Node*> pending;
    for (const auto& child : node.children())
        pending.push_back(child.get());
    while (!pending.empty() && ready.size() < kMaxReadyAhead) {
        const Node* n = pending.back();
        pending.pop_back();
        if (!IsReady(*n))
            continue;
        ready.push_back(n);
        for (const auto& child : n->children())
            pending.push_back(child.get());
    }
    return ready;
}

}  // namespace

void SyncSearchHost::EnsureSubfolders(Node& node) {
    if (subfoldersReady_ == &node) {
        subfoldersReady_ = nullptr;
        return;
    }
    if (readyAhead_.erase(&node))
        return;
    std::vector<const Node*> ready;
    OnMainThread([&] {
        LoadSubfolders(&node, false, false, services_.prompt);
        ready = ReadyBelow(node);
    });
    readyAhead_.insert(ready.begin(), ready.end());
}

bool SyncSearchHost::EnsureFileList(Node& node) {
    if (readyAhead_.erase(&node)) {
        subfoldersReady_ = &node;
        return false;
    }
    bool loadedNow = false;
    bool subfolders = false;
    std::vector<const Node*> ready;
    OnMainThread([&] {
        auto* owner = RecordAs<FileOwnerRecord>(node.record());
        if (!owner)
            return;
        if (!owner->loaded) {
            LoadFileList(&node, services_.prompt);
            loadedNow = owner->loaded;
            if (loadedNow)
                loadedByWalk_.insert(&node);
        }
        // The walk asks for them once the files are done. A failure here is
        // left for that request, so that it ends the walk where it did before.
        try {
            LoadSubfolders(&node, false, false, services_.prompt);
            subfolders = true;
        } catch (const std::exception&) {
            return;
        }
        ready = ReadyBelow(node);
    });
    if (subfolders)
        subfoldersReady_ = &node;
    readyAhead_.insert(ready.begin(), ready.end());
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

// The worker no longer reads the list; whether it may go is decided on the main
// thread at the next call, when the hits found so far are listed.
void SyncSearchHost::ReleaseFileList(Node& node) { pendingReleases_.push_back(&node); }

void SyncSearchHost::ReleasePending() {
    std::vector<Node*> nodes;
    nodes.swap(pendingReleases_);
    for (Node* node : nodes) {
        auto* owner = RecordAs<FileOwnerRecord>(node->record());
        if (!owner || !MayRelease(*node, *owner))
            continue;
        // Pins (views, compares, reports) and changes are checked again by the model.
        if (UnloadFileList(*node))
            loadedByWalk_.erase(node);
    }
}

void SyncSearchHost::Progress(const SearchProgress& progress, std::vector<ItemHead*>&& hits) {
    OnMainThread([&] {
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
    OnMainThread([&] { answer = services_.askCancelSort && services_.askCancelSort(); });
    return answer;
}

bool SyncSearchHost::EscPressed() { return services_.escPressed && services_.escPressed(); }

}  // namespace kv
