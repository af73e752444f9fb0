#pragma once
// The search host of the program: every request of the worker runs on the main
// thread through the base layer's synchronised calls. The main thread decides
// there whether a list the walk loaded may go again, and it alone writes the
// result list and the records' index words. Round trips are few: a folder's
// subfolders come with its file list, parts of the tree already in memory are
// walked without asking, and releases ride along with the next call.
#include <cstdint>
#include <functional>
#include <unordered_set>
#include <vector>

#include "base/Worker.h"
#include "catalog/model/ItemRecords.h"
#include "search/results/ResultList.h"
#include "search/engine/SearchHost.h"
#include "ui/UserPrompt.h"

namespace kv {

struct SearchHostServices {
    MainThreadSync& sync;
    TResultList& results;
    // The node whose file list the main window shows now; may be empty.
    std::function<const Node*()> shownNode;
    // Main thread, after new hits were listed: status text, progress bar, row count.
    std::function<void(const SearchProgress&)> showProgress;
    // Main thread: the Esc question of an interrupted sort.
    std::function<bool()> askCancelSort;
    // Worker thread: whether Esc is down (a thread-independent key query).
    std::function<bool()> escPressed;
    // Reports damaged file lists while they load; nullptr: not reported.
    ui::UserPrompt* prompt = nullptr;
};

class SyncSearchHost final : public ISearchHost {
public:
    explicit SyncSearchHost(SearchHostServices services) : services_(std::move(services)) {}

    void EnsureSubfolders(Node& node) override;
    bool EnsureFileList(Node& node) override;
    void ReleaseFileList(Node& node) override;
    void Progress(const SearchProgress& progress, std::vector<ItemHead*>&& hits) override;
    bool AskCancelSort() override;
    bool EscPressed() override;

    // Main thread, after the run: the list position of its first hit, or -1.
    std::int64_t FirstHit() const { return firstHit_; }
    // Main thread, after the run: lists the walk loaded and could not release.
    std::size_t ListsKept() const { return loadedByWalk_.size(); }

private:
    // Worker: runs call on the main thread, after the releases asked for since the last call.
    void OnMainThread(const std::function<void()>& call);
    // Main thread.
    void ReleasePending();
    bool MayRelease(const Node& node, const FileOwnerRecord& owner) const;

    SearchHostServices services_;
    // Filled by the worker, emptied on the main thread while the worker waits.
    std::vector<Node*> pendingReleases_;
    // Worker only: the node whose subfolders came with its file list, and the
    // nodes further down found to need no call at all.
    const Node* subfoldersReady_ = nullptr;
    std::unordered_set<const Node*> readyAhead_;
    // Main thread only.
    std::unordered_set<const Node*> loadedByWalk_;
    std::int64_t firstHit_ = -1;
};

}  // namespace kv
