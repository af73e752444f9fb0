#pragma once
// The scan of one drive (or a folder of it treated as a disk) into a new disk
// of a catalog: folders, files, archive members, description files and what
// the replaced disk carries over. It is a transaction: a failure or a cancel
// leaves the catalog, the replaced disk included, exactly as it was.
#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <unordered_map>
#include <utility>
#include <vector>

#include "catalog/model/ItemRecords.h"
#include "catalog/model/Node.h"
#include "scan/CarryOver.h"
#include "scan/ScanTypes.h"

namespace kv {

namespace arc {
class TArcLister;
}

class DiskScanner {
public:
    DiskScanner(ScanServices services, ScanOptions options);
    ~DiskScanner();
    DiskScanner(const DiskScanner&) = delete;
    DiskScanner& operator=(const DiskScanner&) = delete;

    // Scans into the request's catalog and returns the new disk node, or
    // nullptr after a failure or a cancel. No exception leaves it.
    Node* ScanDisk(const ScanRequest& request);

    // The progress window's Cancel: the walk stops at the next entry.
    void RequestAbort() { abortRequested_ = true; }
    bool AbortRequested() const { return abortRequested_; }
    bool ScanCompleted() const { return scanCompleted_; }
    // What ended the last scan when it failed without a cancel.
    const std::string& FailureText() const { return failure_; }
    // Folders of the last scan that could not be listed and were recorded
    // empty: how many, and the paths of the first few.
    std::uint32_t UnreadableFolderCount() const { return unreadableCount_; }
    const std::vector<std::string>& UnreadableFolders() const { return unreadable_; }
    static constexpr std::size_t kUnreadableKept = 5;

private:
    struct FolderState;
    struct ArchiveState;

    void run(const ScanRequest& request, Node& diskNode);
    void collectOld(const ScanRequest& request, Node& diskNode);
    void scanFolder(Node& node, Node* oldNode, bool& dizApplied, const std::string& path, const std::wstring& widePath,
                    int depth);
    std::vector<FolderEntry> listFolder(const std::string& path, const std::wstring& widePath, int depth);
    void carryFolder(TFolderRec& folder, const std::string& name, const Node* oldSub);
    void addFile(Node& node, FolderState& st, const FolderEntry& entry, const std::string& name,
                 const std::string& path);
    void applyFolderDescFiles(Node& node, FolderState& st, bool& dizApplied, const std::string& path);
    bool scanArchive(Node& node, FolderState& st, const FolderEntry& entry, const std::string& name,
                     const std::string& archivePath);
    bool quickMove(Node& node, FolderState& st, const FolderEntry& entry, const std::string& name);
    void listMember(ArchiveState& a, FolderState& st);
    static const FolderEntry* ListedEntry(const FolderState& st, const std::string& fileName);
    void addVolumeNode(ArchiveState& a, FolderState& st, std::string volumeName);
    void archiveDescSources(FolderState& st, ArchiveState& a, const std::string& archivePath, int type);
    std::string extractDescFile(int type, const std::string& archivePath, const std::string& member);
    void rollback(Node& diskNode);
    bool pump();
    void checkAbort();
    void advance(std::uint64_t clusters);
    std::uint64_t clusterCount(std::uint64_t bytes) const;
    TDiskRec& disk() const;

    ScanServices services_;
    ScanOptions options_;
    std::unique_ptr<arc::TArcLister> lister_;
    CarryOver carry_;
    // Old-disk nodes whose records the quick scan moved, with the new node that holds each.
    std::vector<std::pair<Node*, Node*>> moved_;
    Node* newDisk_ = nullptr;
    std::uint64_t clusterSize_ = 0;
    std::uint64_t total_ = 0;
    std::uint64_t done_ = 0;
    std::uint64_t lastPump_ = 0;
    bool abortRequested_ = false;
    bool scanCompleted_ = false;
    std::string failure_;
    std::uint32_t unreadableCount_ = 0;
    std::vector<std::string> unreadable_;
};

// The disk name made unique in the catalog: a typed " (n)" suffix (n > 1) goes
// first, then the first free of name, name (2), name (3), ... The replaced
// disk's own name counts as free.
std::string UniqueDiskName(const Node& catalog, const std::string& typed, const Node* replaced);

}  // namespace kv
