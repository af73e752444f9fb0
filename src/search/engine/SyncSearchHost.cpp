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

// Nodes found ready ahead in one call; bounds that call's work.
constexpr std::size_t kMaxReadyAhead = 4096;

bool SubfoldersRead(const FileOwnerRecord& owner) {
    if (const auto* folder = RecordAs<TFolderRec>(&owner))
        return folder->subfolderPos <= 0;
    const auto* disk = RecordAs<TDiskRec>(&owner);
    return disk && disk->topLevelRead;
}

// The walk needs nothing of the main thread here: the subfolders are read and
// so is the list, if the walk reads it. Nothing unloads a list or removes a
// node during a run but the walk's own releases, so this stays true until the
// walk gets there.
bool IsReady(const FileOwnerRecord& owner, ListsRead lists) {
    return SubfoldersRead(owner) && (owner.loaded || !ReadsFileList(lists, owner));
}

}  // namespace

// Main thread: the nodes below node in the walk's order, as far down as they
// are ready or can be made ready within the budget. A read that fails ends the
// reading ahead; the walk meets the failure itself when it gets there.
std::vector<SyncSearchHost::Ahead> SyncSearchHost::ReadAhead(const Node& node, ListsRead lists) {
    using Clock = std::chrono::steady_clock;
    const Clock::time_point deadline = Clock::now() + services_.readAheadBudget;
    bool reading = true;
    std::vector<Ahead> ready;
    std::vector<Node*> pending;
    const auto pushChildren = [&](const Node& n) {
        for (std::size_t i = n.children().size(); i-- > 0;)
            pending.push_back(n.children()[i].get());
    };
    pushChildren(node);
    while (!pending.empty() && ready.size() < kMaxReadyAhead) {
        Node* n = pending.back();
        pending.pop_back();
        auto* owner = RecordAs<FileOwnerRecord>(n->record());
        if (!owner)
            continue;
        bool readNow = false;
        if (!IsReady(*owner, lists)) {
            reading = reading && Clock::now() < deadline;
            if (!reading)
                continue;
            try {
                if (ReadsFileList(lists, *owner) && !owner->loaded) {
                    LoadFileList(n, services_.prompt);
                    readNow = owner->loaded;
                    if (readNow)
                        loadedByWalk_.insert(n);
                }
                LoadSubfolders(n, false, false, services_.prompt);
            } catch (const std::exception&) {
                reading = false;
            }
            if (!IsReady(*owner, lists)) {
                if (readNow)
                    aheadNotReady_.insert(n);
                continue;
            }
        }
        ready.emplace_back(n, readNow);
        pushChildren(*n);
    }
    return ready;
}

void SyncSearchHost::NoteAhead(const std::vector<Ahead>& ahead) {
    // A node met twice keeps the first answer: only that one can say "read".
    for (const Ahead& a : ahead)
        readyAhead_.emplace(a.first, a.second);
}

void SyncSearchHost::EnsureSubfolders(Node& node, ListsRead lists) {
    if (subfoldersReady_ == &node) {
        subfoldersReady_ = nullptr;
        return;
    }
    if (auto it = readyAhead_.find(&node); it != readyAhead_.end()) {
        // Read ahead for a walk that then did not read it.
        if (it->second)
            pendingReleases_.push_back(&node);
        readyAhead_.erase(it);
        return;
    }
    std::vector<Ahead> ahead;
    OnMainThread([&] {
        LoadSubfolders(&node, false, false, services_.prompt);
        ahead = ReadAhead(node, lists);
    });
    NoteAhead(ahead);
}

bool SyncSearchHost::EnsureFileList(Node& node, ListsRead lists) {
    if (auto it = readyAhead_.find(&node); it != readyAhead_.end()) {
        const bool readAhead = it->second;
        readyAhead_.erase(it);
        subfoldersReady_ = &node;
        return readAhead;
    }
    bool loadedNow = false;
    bool subfolders = false;
    std::vector<Ahead> ahead;
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
        if (aheadNotReady_.erase(&node))
            loadedNow = true;
        // The walk asks for them once the files are done. A failure here is
        // left for that request, so that it ends the walk where it did before.
        try {
            LoadSubfolders(&node, false, false, services_.prompt);
            subfolders = true;
        } catch (const std::exception&) {
            return;
        }
        ahead = ReadAhead(node, lists);
    });
    if (subfolders)
        subfoldersReady_ = &node;
    NoteAhead(ahead);
    return loadedNow;
}

void SyncSearchHost::WalkEnded() {
    for (const auto& [node, readAhead] : readyAhead_)
        if (readAhead)
            pendingReleases_.push_back(node);
    readyAhead_.clear();
    subfoldersReady_ = nullptr;
    walkEnded_ = true;
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
    if (walkEnded_) {
        nodes.insert(nodes.end(), aheadNotReady_.begin(), aheadNotReady_.end());
        aheadNotReady_.clear();
    }
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
