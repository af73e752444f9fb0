#include <gtest/gtest.h>

#include <algorithm>

#include "search/engine/Duplicates.h"
#include "tests/catalog/ModelFixture.h"

namespace kv {
namespace {

using test::AddFile;

TFileRec& File(FileOwnerRecord& owner, std::string_view name, std::uint32_t size, std::uint32_t modified = 7,
               std::uint8_t attributes = 0x20) {
    TFileRec& f = AddFile(owner, name);
    f.stored.size = size;
    f.stored.modified = modified;
    f.stored.attributes = attributes;
    return f;
}

TSearchCriteria Keys(bool name, bool size, bool date, bool attributes) {
    TSearchCriteria c;
    c.duplicateMode = true;
    c.dupName = name;
    c.dupSize = size;
    c.dupDate = date;
    c.dupAttributes = attributes;
    return c;
}

TEST(DuplicatesTest, PairsOfKinds) {
    test::ModelFixture m;
    TFolderRec& folder = test::ModelFixture::folderRec(*m.b);  // "B"
    folder.stored.totalSize = FixedSize::fromBytes(10);
    folder.stored.modified = 7;
    folder.stored.attributes = 0x20;
    TFileRec& upper = File(m.folderRec(*m.a), "Readme.TXT", 10);
    TFileRec& lower = File(m.folderRec(*m.a2), "README.txt", 10);
    TFileRec& other = File(m.folderRec(*m.a2), "README.txt", 11, 9, 0x01);
    TFileRec& b = File(m.folderRec(*m.a2), "b", 10);
    const TSearchCriteria all = Keys(true, true, true, true);
    EXPECT_TRUE(ItemsAreDuplicates(all, &upper, &lower));
    EXPECT_FALSE(ItemsAreDuplicates(all, &upper, &other));
    EXPECT_TRUE(ItemsAreDuplicates(Keys(true, false, false, false), &upper, &other));
    // A file against a folder: the file's size against the folder's total.
    EXPECT_TRUE(ItemsAreDuplicates(all, &folder, &b));
    EXPECT_TRUE(ItemsAreDuplicates(all, &b, &folder));
    EXPECT_FALSE(ItemsAreDuplicates(all, &m.diskRec(), &b));

    // Disks compare their own keys, whatever is chosen.
    test::ModelFixture n;
    for (TDiskRec* d : {&m.diskRec(), &n.diskRec()}) {
        d->volume.serialNumber = 0x1234;
        d->label = "DATA";
        d->volume.mediaType = 12;
    }
    EXPECT_TRUE(ItemsAreDuplicates(Keys(false, false, false, false), &m.diskRec(), &n.diskRec()));
    n.diskRec().label = "data";
    EXPECT_FALSE(ItemsAreDuplicates(all, &m.diskRec(), &n.diskRec()));
}

TEST(DuplicatesTest, BucketsAndGroupsInSortedRuns) {
    EXPECT_EQ(DuplicateBucketOf("apple"), 0u);
    EXPECT_EQ(DuplicateBucketOf("Zed"), 25u);
    EXPECT_EQ(DuplicateBucketOf("7up"), 26u);
    EXPECT_EQ(DuplicateBucketOf("_x"), 27u);
    EXPECT_EQ(DuplicateBucketOf(""), 27u);

    EXPECT_EQ(DuplicateBucketOf(Keys(true, true, false, false), "Zed"), 25u);
    EXPECT_EQ(DuplicateBucketOf(Keys(false, true, false, false), "Zed"), 0u);

    test::ModelFixture m;
    FileOwnerRecord& owner = m.folderRec(*m.a2);
    // Size 5 holds two groups and a loner; size 6 stands alone.
    std::vector<ItemHead*> bucket = {&File(owner, "x1", 5, 1), &File(owner, "y1", 5, 2), &File(owner, "x2", 5, 1),
                                     &File(owner, "z", 5, 3),  &File(owner, "y2", 5, 2), &File(owner, "w", 6, 1)};
    const TSearchCriteria keys = Keys(false, true, true, false);
    const DuplicateComparer comparer(true);
    const DuplicateKeyOrder order(keys, comparer);
    std::stable_sort(bucket.begin(), bucket.end(),
                     [&](const ItemHead* a, const ItemHead* b) { return order.Compare(a, b) < 0; });
    std::vector<std::vector<std::string>> groups;
    std::atomic<bool> stop{false};
    EXPECT_TRUE(FindDuplicates(bucket, order, keys, stop, [&](std::span<ItemHead* const> g) {
        groups.emplace_back();
        for (ItemHead* item : g)
            groups.back().emplace_back(ItemName(*item));
    }));
    EXPECT_EQ(groups, (std::vector<std::vector<std::string>>{{"x1", "x2"}, {"y1", "y2"}}));

    stop = true;
    groups.clear();
    EXPECT_FALSE(FindDuplicates(bucket, order, keys, stop, [&](std::span<ItemHead* const>) { groups.emplace_back(); }));
    EXPECT_TRUE(groups.empty());
}

// Names that fold alike only through the system's case map pair for folders but
// not for two files; they share one run of equal keys, which must still split.
TEST(DuplicatesTest, ARunOfEqualKeysStillSplitsIntoTheRealPairs) {
    test::ModelFixture m;
    FileOwnerRecord& owner = m.folderRec(*m.a2);
    const CaseMap& map = cp1252CaseMap();
    std::vector<ItemHead*> bucket = {&File(owner, "\xe9t\xe9", 5), &File(owner, "\xc9T\xc9", 5),
                                     &File(owner, "\xe9t\xe9", 5), &File(owner, "\xc9t\xc9", 5)};
    const TSearchCriteria keys = Keys(true, true, false, false);
    const DuplicateComparer comparer(true);
    const DuplicateKeyOrder order(keys, comparer, map);
    std::stable_sort(bucket.begin(), bucket.end(),
                     [&](const ItemHead* a, const ItemHead* b) { return order.Compare(a, b) < 0; });
    EXPECT_EQ(order.CompareKeys(bucket.front(), bucket.back()), 0);
    std::vector<std::size_t> sizes;
    std::atomic<bool> stop{false};
    EXPECT_TRUE(FindDuplicates(bucket, order, keys, stop, [&](std::span<ItemHead* const> g) { sizes.push_back(g.size()); },
                               map));
    // "\xe9t\xe9" twice and "\xc9T\xc9" with "\xc9t\xc9" (ASCII case only).
    EXPECT_EQ(sizes, (std::vector<std::size_t>{2, 2}));
}

TEST(DuplicatesTest, ComparerOrdersKindsAndArchives) {
    test::ModelFixture m;
    TFolderRec& archive = test::ModelFixture::folderRec(*m.b);
    archive.flags |= ItemFlags::Archive;
    archive.stored.totalSize = FixedSize::fromBytes(50);
    TFolderRec& plain = test::ModelFixture::folderRec(*m.c);
    TFileRec& file = File(m.folderRec(*m.a), "f", 50);
    const DuplicateComparer asFiles(true), asFolders(false);
    EXPECT_EQ(asFiles.Compare(&archive, &file), 0);  // an archive sorts as a file of its content size
    EXPECT_LT(asFolders.Compare(&archive, &file), 0);
    EXPECT_GT(asFiles.Compare(&archive, &plain), 0);
    EXPECT_LT(asFiles.Compare(&m.diskRec(), &plain), 0);
}

}  // namespace
}  // namespace kv
