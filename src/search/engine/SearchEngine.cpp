#include "search/engine/SearchEngine.h"

#include "catalog/model/Node.h"
#include "controls/ListSort.h"

namespace kv {

SearchEngine::SearchEngine(const TSearchCriteria& criteria, const SearchScope& scope, ISearchHost& host,
                           std::atomic<bool>& stop, bool archivesAsFiles, const CaseMap& caseMap)
    : criteria_(criteria),
      scope_(scope),
      host_(host),
      stop_(stop),
      caseMap_(caseMap),
      matcher_(criteria, caseMap),
      comparer_(archivesAsFiles),
      keyOrder_(criteria, comparer_, caseMap) {}

SearchOutcome SearchEngine::Execute() {
    SearchOutcome out;
    try {
        phase_ = criteria_.duplicateMode ? SearchPhase::Collecting : SearchPhase::Walking;
        total_ = scope_.total;
        lastFlush_ = Clock::now();
        // Nothing can match: an early end, which counts as stopped (no "No hits").
        if (!criteria_.duplicateMode && !criteria_.matchable)
            stop_.store(true);
        Walk();
        if (criteria_.duplicateMode && !StopRequested())
            GroupDuplicates();
    } catch (...) {
        out.error = std::current_exception();
    }
    host_.WalkEnded();
    // The hits found before a stop or an error are handed over all the same.
    try {
        Flush();
    } catch (...) {
        if (!out.error)
            out.error = std::current_exception();
    }
    for (auto& bucket : buckets_)
        std::vector<ItemHead*>().swap(bucket);
    out.found = found_;
    out.stopped = StopRequested();
    return out;
}

void SearchEngine::Walk() {
    for (const ScopeCatalog& catalog : scope_.catalogs) {
        for (const ScopeDisk& entry : catalog.disks) {
            if (StopRequested())
                return;
            Node& node = *entry.disk;
            auto* disk = RecordAs<TDiskRec>(node.record());
            if (!disk)
                continue;
            const std::int64_t noted = checked_;
            if (criteria_.duplicateMode) {
                CollectDuplicateCandidates(node);
            } else {
                if (criteria_.searchDisks && Unlisted(*disk) && matcher_.MatchDiskItem(*disk, node.text()))
                    AddHit(*disk);
                if (criteria_.searchFiles || criteria_.searchFolders)
                    SearchCatalogTree(node, catalog.context);
            }
            // Whatever the walk skipped, each disk moves progress by its share of the total.
            checked_ = noted;
            ReportSearchProgress(entry.total);
        }
    }
}

void SearchEngine::SearchCatalogTree(Node& node, const CatalogContext& catalog) {
    auto* owner = RecordAs<FileOwnerRecord>(node.record());
    if (!owner)
        return;
    const std::int64_t foundBefore = found_;
    // Only descriptions can match, and the current format marks which lists hold any.
    const ListsRead lists = !criteria_.searchFiles                                   ? ListsRead::None
                            : criteria_.descriptionOnly && catalog.currentFormat ? ListsRead::Described
                                                                                 : ListsRead::All;
    const bool walkFiles = ReadsFileList(lists, *owner);
    const bool loaded = walkFiles && host_.EnsureFileList(node, lists);
    if (auto* folder = RecordAs<TFolderRec>(owner)) {
        const bool archive = HasFlag(folder->flags, ItemFlags::Archive);
        if (archive ? criteria_.searchFiles : criteria_.searchFolders) {
            ReportSearchProgress(1);
            if (Unlisted(*folder) && matcher_.MatchFolderItem(*folder, node.text(), catalog))
                AddHit(*folder);
        }
    }
    if (walkFiles)
        SearchFileList(node, *owner, catalog);
    if (loaded && found_ == foundBefore)
        host_.ReleaseFileList(node);
    if (StopRequested())
        return;
    WalkChildren(node, lists, [&](Node& child) { SearchCatalogTree(child, catalog); });
}

void SearchEngine::WalkChildren(Node& node, ListsRead lists, const std::function<void(Node&)>& visit) {
    host_.EnsureSubfolders(node, lists);
    // Once present, a node's children do not change during a run.
    for (std::size_t i = 0; !StopRequested(); ++i) {
        Node* child = node.child(i);
        if (!child)
            break;
        visit(*child);
    }
}

void SearchEngine::SearchFileList(Node&, FileOwnerRecord& owner, const CatalogContext& catalog) {
    if (!criteria_.includeArchiveContents) {
        if (auto* folder = RecordAs<TFolderRec>(&owner); folder && HasFlag(folder->flags, ItemFlags::Archive)) {
            ReportSearchProgress(folder->stored.fileCount);
            return;
        }
    }
    for (TFileRec& file : owner.files) {
        if (StopRequested())
            return;
        // Lists read from the catalog lie in one block in chain order: fetch ahead.
        __builtin_prefetch(reinterpret_cast<const char*>(&file) + 1024);
        ReportSearchProgress(1);
        if (Unlisted(file) && matcher_.MatchFileItem(file, catalog))
            AddHit(file);
    }
}

void SearchEngine::CollectDuplicateCandidates(Node& node) {
    auto* owner = RecordAs<FileOwnerRecord>(node.record());
    if (!owner)
        return;
    // Candidates keep their lists: nothing loaded here is released.
    const ListsRead lists = criteria_.searchFiles ? ListsRead::All : ListsRead::None;
    if (criteria_.searchFiles)
        host_.EnsureFileList(node, lists);
    auto* folder = RecordAs<TFolderRec>(owner);
    const bool archive = folder && HasFlag(folder->flags, ItemFlags::Archive);
    if (folder) {
        if (archive ? criteria_.searchFiles : criteria_.searchFolders) {
            ReportSearchProgress(1);
            if (Unlisted(*folder) && matcher_.NameMatches(node.text()))
                AddDuplicateCandidate(*folder);
        }
    } else if (criteria_.searchDisks) {
        ReportSearchProgress(1);
        if (Unlisted(*owner))
            AddDuplicateCandidate(*owner);
    }
    if (criteria_.searchFiles) {
        if (archive && criteria_.dupSkipArchiveContents) {
            ReportSearchProgress(folder->stored.fileCount);
        } else {
            std::int64_t walked = 0;
            for (TFileRec& file : owner->files) {
                if (StopRequested())
                    break;
                ++walked;
                if (Unlisted(file) && matcher_.NameMatches(file.name()))
                    AddDuplicateCandidate(file);
            }
            ReportSearchProgress(walked);
        }
    }
    if (StopRequested() || !(criteria_.searchFiles || criteria_.searchFolders))
        return;
    WalkChildren(node, lists, [&](Node& child) { CollectDuplicateCandidates(child); });
}

void SearchEngine::AddDuplicateCandidate(ItemHead& item) {
    buckets_[DuplicateBucketOf(criteria_, ItemName(item))].push_back(&item);
    ++found_;
    ++candidates_;
}

void SearchEngine::GroupDuplicates() {
    phase_ = SearchPhase::Grouping;
    checked_ = 0;
    found_ = 0;
    total_ = candidates_;
    for (auto& bucket : buckets_) {
        if (StopRequested())
            return;
        std::atomic<bool> cancel{false};
        SortHooks hooks;
        hooks.escPressed = [this] { return host_.EscPressed(); };
        hooks.askCancel = [this] { return host_.AskCancelSort(); };
        // A stop ends the sort within one block or one merge; a stopped run
        // lists nothing more, so the order is not finished.
        hooks.abandon = [this] { return StopRequested(); };
        SortListWithCancel(bucket, [this](const ItemHead* a, const ItemHead* b) { return keyOrder_.Compare(a, b); },
                           cancel, hooks);
        if (StopRequested())
            return;
        ReportSearchProgress(static_cast<std::int64_t>(bucket.size()));
        FindDuplicates(
            bucket, keyOrder_, criteria_, stop_,
            [this](std::span<ItemHead* const> group) {
                for (ItemHead* item : group)
                    AddHit(*item);
                if (groupSink_)
                    groupSink_(group.size());
            },
            caseMap_);
    }
}

void SearchEngine::AddHit(ItemHead& item) {
    ++found_;
    batch_.push_back(&item);
    if (!criteria_.duplicateMode && criteria_.maxFound > 0 && found_ >= criteria_.maxFound)
        stop_.store(true);
}

void SearchEngine::ReportSearchProgress(std::int64_t n) {
    checked_ += n;
    if (checked_ % kProgressStep != 0 && n < 2)
        return;
    if (batch_.size() >= kMaxHitBatch || Clock::now() - lastFlush_ >= interval_)
        Flush();
}

void SearchEngine::Flush() {
    SearchProgress p;
    p.checked = checked_;
    p.total = total_;
    p.found = found_;
    p.phase = phase_;
    // Kept until the call succeeded: a failing call leaves them for the last
    // hand-over, so an error loses no hit.
    host_.Progress(p, std::move(batch_));
    batch_.clear();
    lastFlush_ = Clock::now();
}

}  // namespace kv
