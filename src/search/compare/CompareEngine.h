#pragma once
// Compare to Media and the file check: the catalog side is loaded into 28
// first-letter buckets sorted by name, then every file found on disk is looked
// up by binary search. The file lists compared stay pinned while the results
// live, so a search's unloading cannot free the records they show.
#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "base/text/AnsiCase.h"
#include "catalog/model/FileList.h"
#include "catalog/model/ItemHead.h"
#include "system/files/FileSystem.h"

namespace kv {

class Node;

// A file found on disk that has no catalog record.
struct TMediaFileEntry {
    std::uint32_t Attributes = 0;
    std::uint32_t Time = 0;  // last-write DOS date-time
    std::uint64_t Size = 0;
    std::int16_t IconIndex = -1;  // looked up when first drawn; -2: no icon
    std::uint32_t FolderIndex = 0;  // into CompareResults::FolderPaths
    std::string Name;
};

// Compare to Media: 0 New, 1 Same, 2 Changed, 3 Deleted. File check: 0 New,
// 1 Found, 2 Found but changed.
inline constexpr int kCategoryNew = 0;
inline constexpr int kCategorySame = 1;
inline constexpr int kCategoryChanged = 2;
inline constexpr int kCategoryDeleted = 3;

struct CompareResults {
    bool CheckMode = false;
    // The highest category in use: 3 for Compare to Media, 2 for the file check.
    int CategoryCount = 3;
    std::vector<TMediaFileEntry> NewEntries;
    // Catalog records of categories 1..3 (index 0 unused).
    std::array<std::vector<ItemHead*>, 4> Lists;
    // Where the New entries were found (the walk's paths, ending in "\").
    std::vector<std::string> FolderPaths;
    std::vector<FileListPin> Pins;

    std::size_t Count(int category) const {
        return category == kCategoryNew ? NewEntries.size() : Lists[static_cast<std::size_t>(category)].size();
    }
    bool Empty() const { return Count(0) == 0 && Count(1) == 0 && Count(2) == 0 && Count(3) == 0; }
};

// What makes two files the same in the file check, besides the name.
struct CheckKeys {
    bool size = true;
    bool date = true;
    bool attributes = false;
};

struct CompareHooks {
    // Between listing entries and after each bucket: pending messages.
    std::function<void()> processMessages;
    // The user's Cancel; a cancelled run raises the silent abort "Canceled".
    std::function<bool()> cancelled;
    // File check: "Loading disk ..." and the other phase texts.
    std::function<void(const std::string&)> status;
    // File check: items loaded or sorted.
    std::function<void(std::int64_t)> step;
    // Reads a folder's file list and sub-folders from the catalog file.
    std::function<void(Node&)> loadFileList;
    std::function<void(Node&)> loadSubfolders;
    const CaseMap* caseMap = nullptr;
};

// The state of a Compare to Media for the live counters.
enum class CompareState : std::uint8_t { Loading = 0, Walking = 1, Deleted = 2 };

class CompareEngine {
public:
    CompareEngine(IFileSystem& files, CompareHooks hooks);

    // Compares the disk or folder node with the real folder that stands for it
    // (mediaPath ends in "\"). The results hold their lists sorted by name.
    CompareResults CompareToMedia(Node& node, const std::string& mediaPath);

    // Looks the files of sourceDir (ending in "\") up by name in the nodes
    // (catalogs or disks; a catalog brings all its disks).
    CompareResults CheckFilesAgainstCatalog(const std::vector<Node*>& scope, const std::string& sourceDir,
                                            bool includeSubfolders, CheckKeys keys);

    CompareState State() const { return state_; }
    // The results so far, for the live counters.
    const CompareResults& Partial() const { return results_; }

private:
    struct BucketItem {
        // The name's first 16 bytes folded to upper case, big-endian, zero-padded:
        // most comparisons of the sort end here, without reaching the record.
        std::uint64_t key[2];
        ItemHead* rec;
        std::string_view name;
        bool taken;
    };
    using Bucket = std::vector<BucketItem>;

    void LoadDiskIntoBuckets(Node& node, bool announce);
    void AddToBucket(ItemHead& rec, std::string_view name);
    void SortBuckets(bool stepping);
    Bucket& BucketFor(std::string_view name);
    // The first item of the bucket with the name (ignoring ASCII case); end when none.
    Bucket::iterator FindFirst(Bucket& bucket, std::string_view name);
    void WalkMediaFolder(const std::string& path, const std::string& relative);
    void WalkCheckFolder(const std::string& path, CheckKeys keys, bool subfolders);
    void AddNewEntry(const FolderEntry& entry, const std::string& name, const std::string& folderPath);
    void Pump();
    void CheckCancel();
    std::vector<FolderEntry> List(const std::string& path);
    std::string Recased(const std::string& name) const;

    IFileSystem& files_;
    CompareHooks hooks_;
    std::array<Bucket, 28> buckets_;
    std::int64_t bucketItemCount_ = 0;
    CompareResults results_;
    CompareState state_ = CompareState::Loading;
};

// Name order of records (a file's name, a folder's node text) ignoring ASCII
// case; equal names by address, so no two records are equal.
bool CompareItemsByName(const ItemHead* a, const ItemHead* b);
std::string_view CompareItemName(const ItemHead& rec);
// A record's place: its folder's path (with or without a virtual disk's
// root), then its name.
std::string CompareItemPath(const ItemHead& rec, bool withVirtualRoot = true);

// What differs between a record and the file of its place: its size (a
// file's bytes, an archive's total) and its last-write DOS date-time.
struct CompareDifference {
    bool size = false;
    bool date = false;
};
CompareDifference DifferenceOf(const ItemHead& rec, std::uint64_t size, std::uint32_t modified);

}  // namespace kv
