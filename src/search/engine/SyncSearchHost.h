#pragma once
// The search host of the program: every request of the worker runs on the main
// thread through the base layer's synchronised calls. The main thread decides
// there whether a list the walk loaded may go again, and it alone writes the
// result list and the records' index words. Round trips are few: a folder's
// subfolders come with its file list, each call reads the lists and subfolders
// of the folders below ahead of the walk for a few milliseconds, parts of the
// tree already in memory are walked without asking, and releases ride along
// with the next call.
#include <chrono>
#include <cstdint>
#include <functional>
#include <unordered_map>
#include <unordered_set>
#include <utility>
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
    // The main thread's time per call for reading ahead of the walk; zero: none.
    std::chrono::microseconds readAheadBudget{4000};
};

class SyncSearchHost final : public ISearchHost {
public:
    explicit SyncSearchHost(SearchHostServices services) : services_(std::move(services)) {}

    void EnsureSubfolders(Node& node, ListsRead lists) override;
    bool EnsureFileList(Node& node, ListsRead lists) override;
    void ReleaseFileList(Node& node) override;
    void WalkEnded() override;
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
    // A node below the one asked for that the walk will find ready, and whether
    // its list was read ahead for the walk.
    using Ahead = std::pair<Node*, bool>;
    std::vector<Ahead> ReadAhead(const Node& node, ListsRead lists);
    // Worker: notes the nodes found ready ahead.
    void NoteAhead(const std::vector<Ahead>& ahead);

    SearchHostServices services_;
    // Filled by the worker, emptied on the main thread while the worker waits.
    std::vector<Node*> pendingReleases_;
    // Worker only: the node whose subfolders came with its file list, and the
    // nodes further down found to need no call at all (true: its list was read
    // ahead for the walk).
    const Node* subfoldersReady_ = nullptr;
    std::unordered_map<Node*, bool> readyAhead_;
    bool walkEnded_ = false;
    // Main thread only: lists the walk read, and those read ahead of it whose
    // subfolders then failed (the walk asks for them itself).
    std::unordered_set<const Node*> loadedByWalk_;
    std::unordered_set<Node*> aheadNotReady_;
    std::int64_t firstHit_ = -1;
};

}  // namespace kv
