#include "search/compare/CompareEngine.h"

#include <algorithm>

#include "base/Errors.h"
#include "base/text/NameCase.h"
#include "catalog/file/CatalogLoad.h"
#include "catalog/model/ItemPath.h"
#include "catalog/model/ItemRecords.h"
#include "catalog/model/Node.h"

namespace kv {

namespace {

constexpr std::size_t kDigitsBucket = 26;
constexpr std::size_t kOthersBucket = 27;

char asciiUpper(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 32) : c; }

int compareNoCase(std::string_view a, std::string_view b) {
    const std::size_t n = std::min(a.size(), b.size());
    for (std::size_t i = 0; i < n; ++i) {
        const unsigned char x = static_cast<unsigned char>(asciiUpper(a[i]));
        const unsigned char y = static_cast<unsigned char>(asciiUpper(b[i]));
        if (x != y)
            return x < y ? -1 : 1;
    }
    return a.size() == b.size() ? 0 : a.size() < b.size() ? -1 : 1;
}

// A name's first 16 bytes folded to upper case, big-endian, zero-padded.
void nameKey(std::string_view name, std::uint64_t (&key)[2]) {
    key[0] = key[1] = 0;
    for (std::size_t i = 0; i < 16 && i < name.size(); ++i)
        key[i / 8] |= std::uint64_t{static_cast<unsigned char>(asciiUpper(name[i]))} << (8 * (7 - i % 8));
}

// compareNoCase through the names' keys first: names hold no zero bytes, so
// a shorter name's padding puts it before the longer names it begins.
int compareKeyed(const std::uint64_t (&ka)[2], std::string_view a, const std::uint64_t (&kb)[2], std::string_view b) {
    if (ka[0] != kb[0])
        return ka[0] < kb[0] ? -1 : 1;
    if (ka[1] != kb[1])
        return ka[1] < kb[1] ? -1 : 1;
    return a.size() > 16 || b.size() > 16 ? compareNoCase(a, b) : 0;
}

bool isArchiveFolder(const ItemHead& rec) {
    return rec.kind() == ItemFlags::Folder && HasFlag(rec.flags, ItemFlags::Archive);
}

// The size a record stands for, in bytes x 10000.
std::optional<std::int64_t> fixedSizeOf(const ItemHead& rec) {
    if (const auto* file = RecordAs<TFileRec>(&rec))
        return FixedSize::fromBytes(file->stored.size).raw;
    if (isArchiveFolder(rec))
        return RecordAs<TFolderRec>(&rec)->stored.totalSize.raw;
    return std::nullopt;
}

std::uint32_t modifiedOf(const ItemHead& rec) {
    if (const auto* file = RecordAs<TFileRec>(&rec))
        return file->stored.modified;
    if (const auto* folder = RecordAs<TFolderRec>(&rec))
        return folder->stored.modified;
    return 0;
}

std::uint8_t attributesOf(const ItemHead& rec) {
    if (const auto* file = RecordAs<TFileRec>(&rec))
        return file->stored.attributes;
    if (const auto* folder = RecordAs<TFolderRec>(&rec))
        return folder->stored.attributes;
    return 0;
}

std::int64_t fixedBytes(std::uint64_t bytes) { return FixedSize::fromBytes(static_cast<std::int64_t>(bytes)).raw; }

// CompareItemsByName's order, each name looked up once.
void sortByName(std::vector<ItemHead*>& list) {
    struct Keyed {
        std::string_view name;
        ItemHead* rec;
    };
    std::vector<Keyed> keyed;
    keyed.reserve(list.size());
    for (ItemHead* rec : list)
        keyed.push_back({CompareItemName(*rec), rec});
    std::sort(keyed.begin(), keyed.end(), [](const Keyed& a, const Keyed& b) {
        const int c = compareNoCase(a.name, b.name);
        return c != 0 ? c < 0 : std::less<const ItemHead*>()(a.rec, b.rec);
    });
    for (std::size_t i = 0; i < keyed.size(); ++i)
        list[i] = keyed[i].rec;
}

}  // namespace

std::string_view CompareItemName(const ItemHead& rec) {
    if (const auto* file = RecordAs<TFileRec>(&rec))
        return file->name();
    return rec.node ? std::string_view(rec.node->text()) : std::string_view();
}

std::string CompareItemPath(const ItemHead& rec, bool withVirtualRoot) {
    std::string path = GetItemPath(&rec, false, withVirtualRoot);
    if (path.empty() || path.back() != '\\')
        path += '\\';
    return path.append(CompareItemName(rec));
}

CompareDifference DifferenceOf(const ItemHead& rec, std::uint64_t size, std::uint32_t modified) {
    const std::optional<std::int64_t> own = fixedSizeOf(rec);
    return {!own || *own != fixedBytes(size), modifiedOf(rec) != modified};
}

bool CompareItemsByName(const ItemHead* a, const ItemHead* b) {
    const int c = compareNoCase(CompareItemName(*a), CompareItemName(*b));
    return c != 0 ? c < 0 : std::less<const ItemHead*>()(a, b);
}

CompareEngine::CompareEngine(IFileSystem& files, CompareHooks hooks) : files_(files), hooks_(std::move(hooks)) {
    if (!hooks_.loadFileList)
        hooks_.loadFileList = [](Node& node) { LoadFileList(&node); };
    if (!hooks_.loadSubfolders)
        hooks_.loadSubfolders = [](Node& node) { LoadSubfolders(&node); };
    if (!hooks_.caseMap)
        hooks_.caseMap = &cp1252CaseMap();
}

void CompareEngine::Pump() {
    if (hooks_.processMessages)
        hooks_.processMessages();
}

void CompareEngine::CheckCancel() {
    if (hooks_.cancelled && hooks_.cancelled())
        throw EAbort();
}

CompareEngine::Bucket& CompareEngine::BucketFor(std::string_view name) {
    const char first = name.empty() ? '\0' : asciiUpper(name.front());
    if (first >= 'A' && first <= 'Z')
        return buckets_[static_cast<std::size_t>(first - 'A')];
    if (first >= '0' && first <= '9')
        return buckets_[kDigitsBucket];
    return buckets_[kOthersBucket];
}

void CompareEngine::AddToBucket(ItemHead& rec, std::string_view name) {
    BucketItem item{{0, 0}, &rec, name, false};
    nameKey(name, item.key);
    BucketFor(name).push_back(item);
    ++bucketItemCount_;
}

void CompareEngine::LoadDiskIntoBuckets(Node& node, bool announce) {
    CheckCancel();
    ItemRecord* rec = node.record();
    if (!rec)
        return;
    if (isArchiveFolder(*rec)) {
        // The archive stands for one file; its members are not compared.
        AddToBucket(*rec, node.text());
        if (hooks_.step)
            hooks_.step(static_cast<std::int64_t>(RecordAs<TFolderRec>(rec)->stored.fileCount) + 1);
        return;
    }
    if (announce && rec->kind() == ItemFlags::Disk && hooks_.status)
        hooks_.status("Loading disk \"" + node.text() + "\"");
    if (auto* owner = RecordAs<FileOwnerRecord>(rec)) {
        hooks_.loadFileList(node);
        results_.Pins.emplace_back(owner->files);
        std::int64_t count = 0;
        for (TFileRec& file : owner->files)
            if (!HasFlag(file.flags, ItemFlags::Archive)) {
                AddToBucket(file, file.name());
                ++count;
            }
        if (hooks_.step && count > 0)
            hooks_.step(count);
    }
    if (rec->kind() == ItemFlags::Folder || rec->kind() == ItemFlags::Disk || rec->kind() == ItemFlags::Catalog) {
        if (rec->kind() != ItemFlags::Catalog)
            hooks_.loadSubfolders(node);
        for (const auto& child : node.children())
            LoadDiskIntoBuckets(*child, announce);
    }
}

void CompareEngine::SortBuckets(bool stepping) {
    const auto byName = [](const BucketItem& a, const BucketItem& b) {
        const int c = compareKeyed(a.key, a.name, b.key, b.name);
        return c != 0 ? c < 0 : std::less<const ItemHead*>()(a.rec, b.rec);
    };
    for (Bucket& bucket : buckets_) {
        CheckCancel();
        std::sort(bucket.begin(), bucket.end(), byName);
        if (stepping && hooks_.step)
            hooks_.step(static_cast<std::int64_t>(bucket.size()));
    }
}

CompareEngine::Bucket::iterator CompareEngine::FindFirst(Bucket& bucket, std::string_view name) {
    std::uint64_t key[2];
    nameKey(name, key);
    auto it = std::lower_bound(bucket.begin(), bucket.end(), name, [&key](const BucketItem& item, std::string_view n) {
        return compareKeyed(item.key, item.name, key, n) < 0;
    });
    return it != bucket.end() && compareNoCase(it->name, name) == 0 ? it : bucket.end();
}

std::vector<FolderEntry> CompareEngine::List(const std::string& path) {
    std::vector<FolderEntry> entries = files_.ListFolder(path);
    std::erase_if(entries, [](const FolderEntry& e) { return e.name == "." || e.name == ".."; });
    return entries;
}

std::string CompareEngine::Recased(const std::string& name) const {
    std::string recased = name;
    LowerIfAllUpper(recased, *hooks_.caseMap);
    return recased;
}

void CompareEngine::AddNewEntry(const FolderEntry& entry, const std::string& name, const std::string& folderPath) {
    if (results_.FolderPaths.empty() || results_.FolderPaths.back() != folderPath)
        results_.FolderPaths.push_back(folderPath);
    TMediaFileEntry e;
    e.Attributes = entry.attributes;
    e.Time = entry.modified;
    e.Size = entry.size;
    e.FolderIndex = static_cast<std::uint32_t>(results_.FolderPaths.size() - 1);
    e.Name = name;
    results_.NewEntries.push_back(std::move(e));
}

void CompareEngine::WalkMediaFolder(const std::string& path, const std::string& relative) {
    for (const FolderEntry& entry : List(path)) {
        Pump();
        CheckCancel();
        const std::string name = Recased(entry.name);
        const std::string real = path + entry.pathName;
        if (entry.attributes & kAttrDirectory) {
            // A link could lead back up the tree; the scan does not follow them either.
            if (!(entry.attributes & kAttrReparsePoint))
                WalkMediaFolder(real + "\\", relative == "\\" ? "\\" + name : relative + "\\" + name);
            continue;
        }
        Bucket& bucket = BucketFor(name);
        ItemHead* match = nullptr;
        for (auto it = FindFirst(bucket, name); it != bucket.end() && compareNoCase(it->name, name) == 0; ++it) {
            if (it->taken)
                continue;
            if (compareNoCase(GetItemPath(it->rec, false, true), relative) == 0) {
                it->taken = true;
                match = it->rec;
                break;
            }
        }
        if (!match) {
            AddNewEntry(entry, name, path);
            continue;
        }
        const CompareDifference diff = DifferenceOf(*match, entry.size, entry.modified);
        const bool same = !diff.size && !diff.date;
        results_.Lists[same ? kCategorySame : kCategoryChanged].push_back(match);
    }
}

CompareResults CompareEngine::CompareToMedia(Node& node, const std::string& mediaPath) {
    results_ = CompareResults{};
    results_.CheckMode = false;
    results_.CategoryCount = 3;
    state_ = CompareState::Loading;
    LoadDiskIntoBuckets(node, false);
    SortBuckets(false);
    state_ = CompareState::Walking;
    std::string root = mediaPath;
    if (root.empty() || (root.back() != '\\' && root.back() != '/'))
        root += '\\';
    WalkMediaFolder(root, GetItemPath(node.record(), true, true));
    state_ = CompareState::Deleted;
    for (Bucket& bucket : buckets_) {
        for (const BucketItem& item : bucket)
            if (!item.taken)
                results_.Lists[kCategoryDeleted].push_back(item.rec);
        Pump();
    }
    for (Bucket& bucket : buckets_)
        Bucket().swap(bucket);
    for (int c = 1; c <= 3; ++c)
        sortByName(results_.Lists[static_cast<std::size_t>(c)]);
    std::stable_sort(results_.NewEntries.begin(), results_.NewEntries.end(),
                     [](const TMediaFileEntry& a, const TMediaFileEntry& b) { return compareNoCase(a.Name, b.Name) < 0; });
    return std::move(results_);
}

void CompareEngine::WalkCheckFolder(const std::string& path, CheckKeys keys, bool subfolders) {
    for (const FolderEntry& entry : List(path)) {
        Pump();
        const std::string name = Recased(entry.name);
        if (entry.attributes & kAttrDirectory) {
            if (subfolders && !(entry.attributes & kAttrReparsePoint))
                WalkCheckFolder(path + entry.pathName + "\\", keys, subfolders);
            continue;
        }
        Bucket& bucket = BucketFor(name);
        auto it = FindFirst(bucket, name);
        if (it == bucket.end()) {
            AddNewEntry(entry, name, path);
            continue;
        }
        for (; it != bucket.end() && compareNoCase(it->name, name) == 0; ++it) {
            const ItemHead& rec = *it->rec;
            const std::optional<std::int64_t> size = fixedSizeOf(rec);
            bool same = size.has_value();
            same = same && (!keys.size || *size == fixedBytes(entry.size));
            same = same && (!keys.date || modifiedOf(rec) == entry.modified);
            same = same && (!keys.attributes || attributesOf(rec) == static_cast<std::uint8_t>(entry.attributes));
            results_.Lists[same ? kCategorySame : kCategoryChanged].push_back(it->rec);
        }
    }
}

CompareResults CompareEngine::CheckFilesAgainstCatalog(const std::vector<Node*>& scope, const std::string& sourceDir,
                                                       bool includeSubfolders, CheckKeys keys) {
    results_ = CompareResults{};
    results_.CheckMode = true;
    results_.CategoryCount = 2;
    for (Node* node : scope)
        if (node)
            LoadDiskIntoBuckets(*node, true);
    CheckCancel();
    if (hooks_.status)
        hooks_.status("Sorting files, please wait...");
    SortBuckets(true);
    if (hooks_.status)
        hooks_.status("Searching for files, please wait...");
    std::string root = sourceDir;
    if (root.empty() || (root.back() != '\\' && root.back() != '/'))
        root += '\\';
    WalkCheckFolder(root, keys, includeSubfolders);
    if (hooks_.status)
        hooks_.status("Sorting lists, please wait...");
    for (Bucket& bucket : buckets_)
        Bucket().swap(bucket);
    for (int c = 1; c <= 2; ++c) {
        auto& list = results_.Lists[static_cast<std::size_t>(c)];
        sortByName(list);
        // One record can match several files of its name.
        list.erase(std::unique(list.begin(), list.end()), list.end());
    }
    std::stable_sort(results_.NewEntries.begin(), results_.NewEntries.end(),
                     [](const TMediaFileEntry& a, const TMediaFileEntry& b) { return compareNoCase(a.Name, b.Name) < 0; });
    return std::move(results_);
}

}  // namespace kv
