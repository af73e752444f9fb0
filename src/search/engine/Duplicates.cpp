#include "search/engine/Duplicates.h"

#include <algorithm>
#include <cmath>
#include <utility>

#include "catalog/model/DiskSpace.h"
#include "catalog/model/Node.h"
#include "catalog/model/ItemRecords.h"
#include "system/drives/MediaTypes.h"

namespace kv {

namespace {

bool isArchiveFolder(const ItemHead& item) {
    return item.kind() == ItemFlags::Folder && HasFlag(item.flags, ItemFlags::Archive);
}

// File sizes and folder totals in whole bytes; disks by capacity.
std::int64_t sizeOf(const ItemHead& item) {
    if (const auto* file = RecordAs<TFileRec>(&item))
        return file->stored.size;
    if (const auto* folder = RecordAs<TFolderRec>(&item))
        return folder->stored.totalSize.bytes();
    if (const auto* disk = RecordAs<TDiskRec>(&item))
        return GetDiskSpace(*disk, DiskSpaceKind::Total).bytes();
    return 0;
}

int sign(std::int64_t a, std::int64_t b) { return a < b ? -1 : a > b ? 1 : 0; }

// Files after folders after disks after catalogs.
int kindRank(std::uint8_t kind) {
    switch (kind) {
    case ItemFlags::Catalog: return 0;
    case ItemFlags::Disk: return 1;
    case ItemFlags::Folder: return 2;
    default: return 3;
    }
}

bool asciiEqualIgnoringCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        char x = a[i], y = b[i];
        if (x >= 'a' && x <= 'z') x = static_cast<char>(x - 32);
        if (y >= 'a' && y <= 'z') y = static_cast<char>(y - 32);
        if (x != y)
            return false;
    }
    return true;
}

bool equalIgnoringCase(std::string_view a, std::string_view b, const CaseMap& map) {
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (map.toUpper(a[i]) != map.toUpper(b[i]))
            return false;
    }
    return true;
}

std::int64_t roundedCapacity(const TDiskRec& disk) {
    return std::llround(GetDiskSpace(disk, DiskSpaceKind::Total).toDouble());
}

struct Keys {
    std::uint32_t modified;
    std::uint8_t attributes;
};

Keys keysOf(const ItemHead& item) {
    if (const auto* file = RecordAs<TFileRec>(&item))
        return {file->stored.modified, file->stored.attributes};
    const auto* folder = RecordAs<TFolderRec>(&item);
    return {folder->stored.modified, folder->stored.attributes};
}

}  // namespace

std::size_t DuplicateBucketOf(std::string_view name) {
    if (name.empty())
        return 27;
    const char c = name.front();
    if (c >= 'A' && c <= 'Z')
        return static_cast<std::size_t>(c - 'A');
    if (c >= 'a' && c <= 'z')
        return static_cast<std::size_t>(c - 'a');
    if (c >= '0' && c <= '9')
        return 26;
    return 27;
}

std::size_t DuplicateBucketOf(const TSearchCriteria& criteria, std::string_view name) {
    return criteria.dupName ? DuplicateBucketOf(name) : 0;
}

std::string_view ItemName(const ItemHead& item) {
    if (const auto* file = RecordAs<TFileRec>(&item))
        return file->name();
    return item.node ? std::string_view(item.node->text()) : std::string_view();
}

int DuplicateComparer::Compare(const ItemHead* a, const ItemHead* b) const {
    const std::uint8_t ka = a->kind(), kb = b->kind();
    if (archivesAsFiles_ && (isArchiveFolder(*a) || isArchiveFolder(*b))) {
        const bool bothFolders = ka == ItemFlags::Folder && kb == ItemFlags::Folder;
        if (bothFolders && isArchiveFolder(*a) != isArchiveFolder(*b))
            return isArchiveFolder(*a) ? 1 : -1;
        // An archive against a file sorts as a file would: by content size.
        if (!bothFolders && (ka == ItemFlags::File || kb == ItemFlags::File) &&
            (ka == ItemFlags::Folder || kb == ItemFlags::Folder))
            return sign(sizeOf(*a), sizeOf(*b));
    }
    if (ka != kb)
        return kindRank(ka) < kindRank(kb) ? -1 : 1;
    return sign(sizeOf(*a), sizeOf(*b));
}

bool ItemsAreDuplicates(const TSearchCriteria& criteria, const ItemHead* a, const ItemHead* b, const CaseMap& caseMap) {
    const std::uint8_t ka = a->kind(), kb = b->kind();
    if (ka == ItemFlags::Disk && kb == ItemFlags::Disk) {
        const TDiskRec& da = *RecordAs<TDiskRec>(a);
        const TDiskRec& db = *RecordAs<TDiskRec>(b);
        return da.volume.serialNumber == db.volume.serialNumber && da.label == db.label &&
               SameMediaType(da.volume.mediaType, db.volume.mediaType) && roundedCapacity(da) == roundedCapacity(db);
    }
    const bool fileOrFolderA = ka == ItemFlags::File || ka == ItemFlags::Folder;
    const bool fileOrFolderB = kb == ItemFlags::File || kb == ItemFlags::Folder;
    if (!fileOrFolderA || !fileOrFolderB)
        return false;
    if (ka == ItemFlags::Folder && kb == ItemFlags::File)
        std::swap(a, b);
    const bool bothFiles = ka == ItemFlags::File && kb == ItemFlags::File;
    if (criteria.dupName) {
        const bool same = bothFiles ? asciiEqualIgnoringCase(ItemName(*a), ItemName(*b))
                                    : equalIgnoringCase(ItemName(*a), ItemName(*b), caseMap);
        if (!same)
            return false;
    }
    if (criteria.dupSize && sizeOf(*a) != sizeOf(*b))
        return false;
    const Keys x = keysOf(*a), y = keysOf(*b);
    if (criteria.dupDate && x.modified != y.modified)
        return false;
    if (criteria.dupAttributes && x.attributes != y.attributes)
        return false;
    return true;
}

int DuplicateKeyOrder::compareNames(std::string_view a, std::string_view b) const {
    const std::size_t n = std::min(a.size(), b.size());
    for (std::size_t i = 0; i < n; ++i) {
        const auto x = static_cast<unsigned char>(caseMap_.toUpper(a[i]));
        const auto y = static_cast<unsigned char>(caseMap_.toUpper(b[i]));
        if (x != y)
            return x < y ? -1 : 1;
    }
    return sign(static_cast<std::int64_t>(a.size()), static_cast<std::int64_t>(b.size()));
}

int DuplicateKeyOrder::CompareKeys(const ItemHead* a, const ItemHead* b) const {
    // Disks pair only with disks, files and folders with each other.
    auto group = [](std::uint8_t kind) { return kind == ItemFlags::Disk ? 0 : kind == ItemFlags::Catalog ? 2 : 1; };
    const int ga = group(a->kind()), gb = group(b->kind());
    if (ga != gb)
        return ga < gb ? -1 : 1;
    if (ga == 0) {
        const TDiskRec& da = *RecordAs<TDiskRec>(a);
        const TDiskRec& db = *RecordAs<TDiskRec>(b);
        if (int c = sign(da.volume.serialNumber, db.volume.serialNumber))
            return c;
        if (int c = da.label.compare(db.label))
            return c < 0 ? -1 : 1;
        return sign(roundedCapacity(da), roundedCapacity(db));
    }
    if (ga == 2)
        return 0;
    if (criteria_.dupSize)
        if (int c = sign(sizeOf(*a), sizeOf(*b)))
            return c;
    if (criteria_.dupName)
        if (int c = compareNames(ItemName(*a), ItemName(*b)))
            return c;
    const Keys x = keysOf(*a), y = keysOf(*b);
    if (criteria_.dupDate)
        if (int c = sign(x.modified, y.modified))
            return c;
    if (criteria_.dupAttributes)
        return sign(x.attributes, y.attributes);
    return 0;
}

int DuplicateKeyOrder::Compare(const ItemHead* a, const ItemHead* b) const {
    if (int c = CompareKeys(a, b))
        return c;
    return shown_.Compare(a, b);
}

bool FindDuplicates(std::vector<ItemHead*>& bucket, const DuplicateKeyOrder& order, const TSearchCriteria& criteria,
                    const std::atomic<bool>& stop, const DuplicateGroupSink& sink, const CaseMap& caseMap) {
    std::size_t polled = 0;
    auto stopped = [&] { return (++polled & 1023) == 0 && stop.load(std::memory_order_relaxed); };
    std::size_t s = 0;
    while (s + 1 < bucket.size()) {
        if (stop.load(std::memory_order_relaxed))
            return false;
        std::size_t e = s;
        while (e + 1 < bucket.size() && order.CompareKeys(bucket[s], bucket[e + 1]) == 0) {
            ++e;
            if (stopped())
                return false;
        }
        // Inside a run of equal keys only disks of related media types and
        // names that fold alike only outside ASCII can fail to pair.
        while (s < e) {
            std::size_t g = s;
            for (std::size_t k = s + 1; k <= e; ++k) {
                if (stopped())
                    return false;
                if (ItemsAreDuplicates(criteria, bucket[s], bucket[k], caseMap))
                    std::swap(bucket[++g], bucket[k]);
            }
            if (g > s)
                sink(std::span<ItemHead* const>(bucket.data() + s, g - s + 1));
            s = g + 1;
        }
        s = e + 1;
    }
    return !stop.load(std::memory_order_relaxed);
}

}  // namespace kv
