#include "scan/DiskScanner.h"

#include <algorithm>
#include <chrono>
#include <limits>

#include "archive/ArcLister.h"
#include "base/Errors.h"
#include "base/text/AnsiCase.h"
#include "base/text/CounterSuffix.h"
#include "base/text/NameCase.h"
#include "catalog/file/CatalogLoad.h"
#include "catalog/model/CatalogModified.h"
#include "scan/DescImport.h"
#include "scan/ScanProgressText.h"
#include "scan/ScanState.h"
#include "system/SystemCaseMap.h"

namespace kv {

namespace {

// The stored depth of a folder is one byte.
constexpr int kMaxDepth = 255;

bool SameNoCase(std::string_view a, std::string_view b) {
    const CaseMap& map = systemCaseMap();
    return a.size() == b.size() &&
           std::equal(a.begin(), a.end(), b.begin(), [&](char x, char y) { return map.toUpper(x) == map.toUpper(y); });
}

// A later part of a numbered-volume set ("a.a01" of "a.arj"): listed with its first part.
bool IsLaterVolume(const std::string& name) {
    const int type = GetArchiveType(name);
    const ArchiveTypeRow* row = ArchiveTypeInfo(type);
    if (!row || !row->numberedVolumes) return false;
    const std::size_t dot = name.rfind('.');
    return dot != std::string::npos && name.size() - dot - 1 == 3 && name[dot + 2] >= '0' && name[dot + 2] <= '9';
}

// Node order: the names without regard to case, then byte order.
bool NodeTextLess(const Node& a, const Node& b) {
    const CaseMap& map = systemCaseMap();
    const std::string& x = a.text();
    const std::string& y = b.text();
    // Compared in place: a sort of a large folder would otherwise build two texts per comparison.
    const auto diff = std::mismatch(x.begin(), x.end(), y.begin(), y.end(),
                                    [&](char p, char q) { return map.toUpper(p) == map.toUpper(q); });
    if (diff.first != x.end() && diff.second != y.end())
        return static_cast<unsigned char>(map.toUpper(*diff.first)) < static_cast<unsigned char>(map.toUpper(*diff.second));
    if (x.size() != y.size()) return x.size() < y.size();
    return x < y;
}

}  // namespace

std::string UniqueDiskName(const Node& catalog, const std::string& typed, const Node* replaced) {
    const std::string base = StripCounterSuffix(typed);
    auto taken = [&](const std::string& name) {
        for (const auto& disk : catalog.children())
            if (disk.get() != replaced && disk->text() == name) return true;
        return false;
    };
    for (int n = 1;; ++n) {
        const std::string candidate = AddCounterSuffix(base, n);
        if (!taken(candidate)) return candidate;
    }
}

DiskScanner::DiskScanner(ScanServices services, ScanOptions options)
    : services_(std::move(services)), options_(std::move(options)) {
    if (!services_.clockMs) {
        services_.clockMs = [] {
            return static_cast<std::uint64_t>(std::chrono::duration_cast<std::chrono::milliseconds>(
                                                  std::chrono::steady_clock::now().time_since_epoch())
                                                  .count());
        };
    }
    if (services_.archives) lister_ = std::make_unique<arc::TArcLister>(*services_.archives);
}

DiskScanner::~DiskScanner() = default;

TDiskRec& DiskScanner::disk() const { return *RecordAs<TDiskRec>(newDisk_->record()); }

bool DiskScanner::pump() {
    const std::uint64_t now = services_.clockMs();
    if (now - lastPump_ < services_.pumpIntervalMs) return false;
    lastPump_ = now;
    services_.progress.PumpMessages();
    return true;
}

void DiskScanner::checkAbort() {
    if (abortRequested_) throw EAbort();
}

std::uint64_t DiskScanner::clusterCount(std::uint64_t bytes) const {
    if (clusterSize_ == 0) return 0;
    return bytes / clusterSize_ + (bytes % clusterSize_ ? 1 : 0);
}

void DiskScanner::advance(std::uint64_t clusters) {
    done_ += clusters;
    const std::uint64_t percent = total_ > 0 ? std::min<std::uint64_t>(100, (done_ * 100 + total_ / 2) / total_) : 0;
    services_.progress.SetProgress(static_cast<int>(percent));
    pump();
}

Node* DiskScanner::ScanDisk(const ScanRequest& request) {
    abortRequested_ = false;
    scanCompleted_ = false;
    failure_.clear();
    unreadableCount_ = 0;
    unreadable_.clear();
    moved_.clear();
    carry_.clear();
    done_ = 0;
    lastPump_ = services_.clockMs();
    if (!request.catalog) return nullptr;
    Node& catalog = *request.catalog;
    Forest& forest = catalog.forest();
    IScanProgress& progress = services_.progress;
    progress.SetTopLabel("Initializing catalog update...");

    const char letter = static_cast<char>(request.letter >= 'a' && request.letter <= 'z' ? request.letter - 32
                                                                                          : request.letter);
    std::string typed = request.diskName.empty() ? std::string("Disk ") + letter + ":" : request.diskName;
    Node& diskNode = forest.addChild(catalog, UniqueDiskName(catalog, typed, request.updatedDisk));
    newDisk_ = &diskNode;
    try {
        if (request.changeSerial) request.changeSerial();
        auto rec = std::make_unique<TDiskRec>();
        if (request.initDiskRecord) request.initDiskRecord(*rec);
        if (const auto* old = request.updatedDisk ? RecordAs<TDiskRec>(request.updatedDisk->record()) : nullptr) {
            rec->description = old->description;
            rec->volume.reserved2 = old->volume.reserved2;
        }
        if (!request.virtualRoot.empty()) {
            SetFlag(rec->flags, ItemFlags::VirtualDisk, true);
            rec->virtualPath = request.virtualRoot;
        }
        const std::uint32_t used = rec->volume.totalClusters > rec->volume.freeClusters
                                       ? rec->volume.totalClusters - rec->volume.freeClusters
                                       : 0;
        total_ = used;
        clusterSize_ = std::uint64_t{rec->volume.sectorsPerCluster} * rec->volume.bytesPerSector;
        (void)diskNode.setRecord(std::move(rec));
        run(request, diskNode);
    } catch (const EAbort&) {
        rollback(diskNode);
    } catch (const std::exception& e) {
        failure_ = e.what();
        rollback(diskNode);
    } catch (...) {
        failure_ = "Unknown error";
        rollback(diskNode);
    }
    newDisk_ = nullptr;
    moved_.clear();
    carry_.clear();
    return scanCompleted_ ? &diskNode : nullptr;
}

void DiskScanner::collectOld(const ScanRequest& request, Node& diskNode) {
    carry_.clear();
    if (!options_.carryOver) return;
    IScanProgress& progress = services_.progress;
    progress.SetTopLabel("Searching for existings descriptions...");
    progress.SetBottomLabel("Reading from disk in catalog:");
    const auto* catalog = RecordAs<TCatalogRec>(request.catalog->record());
    bool userBytes = false;
    if (catalog) {
        userBytes = !catalog->categories.empty();
        for (const std::string& f : catalog->flagNames) userBytes = userBytes || !f.empty();
    }
    // Only the current format keeps the has-descriptions flag of folders whose
    // lists were never loaded; an older catalog's folders are all read.
    const bool onlyFlagged = !userBytes && (!catalog || catalog->currentFormat);
    // The window stays alive and Cancel works on a catalog of many disks.
    const CarryOver::Step step = [this, &progress](std::size_t found) {
        if (pump()) progress.SetDescFound(DescriptionsFoundText(found));
        checkAbort();
    };
    if (options_.carryFromAllDisks || !request.updatedDisk) {
        for (std::size_t i = 0; i < request.catalog->children().size(); ++i) {
            Node* d = request.catalog->child(i);
            if (d != &diskNode) carry_.collect(*d, onlyFlagged, progress, step);
        }
    } else {
        carry_.collect(*request.updatedDisk, onlyFlagged, progress, step);
    }
    carry_.build();
}

void DiskScanner::run(const ScanRequest& request, Node& diskNode) {
    checkAbort();
    collectOld(request, diskNode);
    IScanProgress& progress = services_.progress;
    progress.SetTopLabel("Scanning disk, please wait...");
    progress.SetBottomLabel("Reading file data in:");
    progress.ShowProgressBar();

    TDiskRec& d = disk();
    const bool emptyMedium = d.volume.totalClusters > 0 && d.volume.totalClusters <= d.volume.freeClusters;
    if (!emptyMedium) {
        std::string root = request.mediumRoot.empty() ? std::string(1, request.letter) + ":" : request.mediumRoot;
        if (!request.virtualRoot.empty()) root += request.virtualRoot.substr(0, request.virtualRoot.size() - 1);
        bool dizApplied = false;
        scanFolder(diskNode, request.updatedDisk, dizApplied, root, std::wstring(), 0);
    }
    checkAbort();
    progress.SetProgress(100);
    if (d.volume.folderCount > 0) --d.volume.folderCount;
    if (d.volume.totalClusters < done_) {
        // The files do not fit the reported capacity: a compressed volume.
        d.volume.totalClusters = Saturated32(done_);
        d.volume.freeClusters = 0;
        d.otherClusters = 0;
        SetFlag(d.flags, ItemFlags::Archive, true);
    } else if (d.isVirtual()) {
        d.otherClusters = total_ > done_ ? Saturated32(total_ - done_) : 0;
    } else {
        d.otherClusters = 0;
    }

    // Commit: from here on nothing can fail.
    SetCatalogModified(*request.catalog, true);
    carry_.clear();
    if (request.updatedDisk) {
        moved_.clear();  // the moved records are the new disk's now; their old nodes hold none
        request.catalog->forest().remove(*request.updatedDisk);
    }
    request.catalog->forest().sortChildren(request.catalog, NodeTextLess);
    scanCompleted_ = true;
}

void DiskScanner::rollback(Node& diskNode) {
    carry_.clear();
    // Moved records go back to their old nodes, which points them, their files
    // and their disk node at the old disk again.
    for (auto it = moved_.rbegin(); it != moved_.rend(); ++it) {
        auto [oldNode, newNode] = *it;
        (void)oldNode->setRecord(newNode->takeRecord());
    }
    moved_.clear();
    diskNode.forest().remove(diskNode);
}

std::vector<FolderEntry> DiskScanner::listFolder(const std::string& path, const std::wstring& widePath, int depth) {
    try {
        return widePath.empty() ? services_.files.ListFolder(path) : services_.files.ListWideFolder(path, widePath);
    } catch (const EListFolderError& e) {
        // The root, or the medium failing, ends the scan; one folder out of
        // reach (no access, removed meanwhile) is recorded empty and reported.
        if (depth == 0 || e.deviceError()) throw;
    }
    disk().volume.skipFlags |= 1;
    ++unreadableCount_;
    if (unreadable_.size() < kUnreadableKept) unreadable_.push_back(path);
    return {};
}

void DiskScanner::scanFolder(Node& node, Node* oldNode, bool& dizApplied, const std::string& path,
                             const std::wstring& widePath, int depth) {
    IncrementFolderCount(disk());
    IScanProgress& progress = services_.progress;
    progress.SetDirLabel(path + "\\");
    FolderState st;
    st.oldNode = oldNode;

    std::vector<FolderEntry> entries = listFolder(path, widePath, depth);
    st.entries = &entries;
    // Later parts of volume sets come last, so that the first part lists the set.
    std::stable_partition(entries.begin(), entries.end(),
                          [](const FolderEntry& e) { return (e.attributes & kAttrDirectory) || !IsLaterVolume(e.name); });
    std::vector<std::pair<const FolderEntry*, std::string>> subfolders;
    for (const FolderEntry& entry : entries) {
        if (abortRequested_) break;
        if (services_.onEntry) services_.onEntry(path + "\\" + entry.pathName);
        pump();
        if (abortRequested_) break;
        const bool isFolder = (entry.attributes & kAttrDirectory) != 0;
        const bool hidden = (entry.attributes & kAttrHidden) != 0;
        if ((isFolder && hidden && options_.ignoreHiddenFolders) || (!isFolder && hidden && options_.ignoreHiddenFiles) ||
            (isFolder && options_.ignoreRecycle && SameNoCase(entry.name, "Recycled"))) {
            disk().volume.skipFlags |= 1;
            continue;
        }
        std::string name = entry.name;
        LowerIfAllUpper(name, systemCaseMap());
        if (isFolder)
            subfolders.emplace_back(&entry, std::move(name));
        else
            addFile(node, st, entry, name, path);
    }

    if (oldNode && RecordAs<TFolderRec>(oldNode->record())) LoadSubfolders(oldNode);
    // The old folder's plain subfolders by name without case, in their order:
    // one look-up a subfolder however wide the folder.
    std::unordered_map<std::string, std::vector<Node*>> oldSubfolders;
    if (oldNode && !subfolders.empty()) {
        const CaseMap& map = systemCaseMap();
        for (const auto& c : oldNode->children()) {
            const auto* rec = RecordAs<TFolderRec>(c->record());
            if (rec && !HasFlag(rec->flags, ItemFlags::Archive)) oldSubfolders[upperCase(c->text(), map)].push_back(c.get());
        }
    }
    for (auto it = subfolders.rbegin(); it != subfolders.rend() && !abortRequested_; ++it) {
        const FolderEntry& entry = *it->first;
        const std::string& name = it->second;
        Node& sub = node.forest().addChild(node, name);
        auto rec = std::make_unique<TFolderRec>();
        rec->stored.attributes = static_cast<std::uint8_t>(entry.attributes);
        rec->stored.created = entry.created;
        rec->stored.modified = entry.modified;
        rec->stored.accessed = entry.accessed;
        TFolderRec& folder = static_cast<TFolderRec&>(*rec);
        (void)sub.setRecord(std::move(rec));
        // The same folder of the replaced disk: the exact name, else the name in another case.
        Node* oldSub = nullptr;
        const auto same = oldSubfolders.empty() ? oldSubfolders.end() : oldSubfolders.find(upperCase(name, systemCaseMap()));
        if (same != oldSubfolders.end()) {
            oldSub = same->second.front();
            for (Node* c : same->second)
                if (c->text() == name) {
                    oldSub = c;
                    break;
                }
        }
        carryFolder(folder, name, oldSub);
        // Links and junctions are not followed: they loop or show a tree twice.
        if ((entry.attributes & kAttrReparsePoint) == 0 && depth + 1 < kMaxDepth) {
            scanFolder(sub, oldSub, st.subDizApplied, path + "\\" + entry.pathName, entry.widePath, depth + 1);
        } else {
            IncrementFolderCount(disk());
        }
        if (auto* parent = RecordAs<TFolderRec>(node.record())) parent->stored.totalSize += folder.stored.totalSize;
    }
    if (!abortRequested_) {
        try {
            applyFolderDescFiles(node, st, dizApplied, path);
        } catch (const EAbort&) {
            throw;
        } catch (const std::exception&) {
            // A description source that fails is passed over; what it applied stays.
        }
    }

    if (auto* owner = RecordAs<FileOwnerRecord>(node.record())) {
        if (auto* folder = RecordAs<TFolderRec>(owner)) folder->stored.fileCount = Saturated32(owner->files.size());
        if (auto* d = RecordAs<TDiskRec>(owner)) d->header.rootFileCount = Saturated32(owner->files.size());
    }
    advance(st.clusters);
    node.forest().sortChildren(&node, NodeTextLess);
}

void DiskScanner::carryFolder(TFolderRec& folder, const std::string& name, const Node* oldSub) {
    // A folder's time changes whenever an entry inside it comes or goes: the
    // folder at the same place of the replaced disk keeps its description,
    // categories and flags whatever its date. Elsewhere name and date decide.
    if (options_.carryOver && oldSub && carry_.applyFrom(folder, *RecordAs<TFolderRec>(oldSub->record()))) return;
    carry_.apply(folder, name);
}

void DiskScanner::addFile(Node& node, FolderState& st, const FolderEntry& entry, const std::string& name,
                          const std::string& path) {
    const int type = GetArchiveType(name);
    st.pendingDescription.clear();
    if (type != 0 && IsArchiveTypeEnabled(options_.archiveEnabled, type) && options_.browseArchives && lister_) {
        if (scanArchive(node, st, entry, name, path + "\\" + entry.pathName)) return;
    }
    TDiskRec& d = disk();
    d.volume.fileCount = Saturated32(std::uint64_t{d.volume.fileCount} + 1);
    auto* owner = RecordAs<FileOwnerRecord>(node.record());
    TFileRec& file = owner->addFile(MakeFileRec(name));
    file.stored.attributes = static_cast<std::uint8_t>(entry.attributes);
    file.stored.size = Saturated32(entry.size);
    file.stored.created = entry.created;
    file.stored.modified = entry.modified;
    file.stored.accessed = entry.accessed;
    carry_.apply(file);
    if (!st.pendingDescription.empty()) {
        SetItemDescription(file, st.pendingDescription);
        st.pendingDescription.clear();
    }
    if (auto* folder = RecordAs<TFolderRec>(owner)) folder->stored.totalSize += FixedSize::fromBytes(static_cast<std::int64_t>(entry.size));
    st.clusters += clusterCount(entry.size);
    st.foundBbs = st.foundBbs || SameNoCase(name, "FILES.BBS");
    st.foundDescript = st.foundDescript || SameNoCase(name, "DESCRIPT.ION");
    st.foundDiz = st.foundDiz || SameNoCase(name, "FILE_ID.DIZ");
}

void DiskScanner::applyFolderDescFiles(Node& node, FolderState& st, bool& dizApplied, const std::string& path) {
    auto* owner = RecordAs<FileOwnerRecord>(node.record());
    if (!owner) return;
    std::string dizText;
    if (options_.importDiz && st.foundDiz) dizText = ImportFileIdDiz(services_.files, path + "\\FILE_ID.DIZ");
    const DescTarget target{node, *owner, &carry_};
    for (int pos = 0; pos < kDescSourceCount; ++pos) {
        switch (DescSourceAt(options_.descOrder, pos)) {
        case DescSourceCode::FileIdDiz:
            if (options_.importDiz && !dizText.empty()) {
                SetItemDescription(*owner, dizText);
                dizText.clear();
                dizApplied = true;
            }
            st.subDizApplied = false;
            break;
        case DescSourceCode::FilesBbs:
            if (options_.importBbs && st.foundBbs)
                ImportFilesBbs(services_.files, target, path + "\\FILES.BBS", st.subDizApplied, options_.descTruncLines);
            break;
        case DescSourceCode::DescriptIon:
            if (options_.import4Dos && st.foundDescript)
                ImportDescriptIon(services_.files, target, path + "\\DESCRIPT.ION", st.subDizApplied,
                                  options_.descTruncLines);
            break;
        case DescSourceCode::ArchiveComment:
            st.subDizApplied = false;
            break;
        default:
            break;
        }
    }
}

}  // namespace kv
