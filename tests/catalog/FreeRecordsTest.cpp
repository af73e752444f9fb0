#include <gtest/gtest.h>

#include "ModelFixture.h"
#include "catalog/model/CatalogModified.h"
#include "catalog/model/FreeRecords.h"

namespace kv::test {
namespace {

// Every record of folder A's subtree listed in all three lists, after an
// unrelated entry that must survive.
struct ListedFixture : ModelFixture {
    std::vector<ItemHead*> subtree;

    ListedFixture() {
        for (Node* n : {a, b, c}) {
            auto& folder = folderRec(*n);
            subtree.push_back(&folder);
            for (TFileRec& f : folder.files)
                subtree.push_back(&f);
        }
        for (ResultSlot s : kResultSlots) {
            lists.add(s, diskRec());
            for (ItemHead* rec : subtree)
                lists.add(s, *rec);
        }
    }
};

TEST(FreeRecords, RemovingAFolderNullsItsEntriesInEveryList) {
    ListedFixture m;
    m.forest.remove(*m.a);
    for (ResultSlot s : kResultSlots) {
        const auto& list = m.lists.of(s);
        ASSERT_EQ(list.size(), 1 + m.subtree.size());
        EXPECT_EQ(list[0], &m.diskRec());
        for (std::size_t i = 1; i < list.size(); ++i)
            EXPECT_EQ(list[i], nullptr);
    }
    EXPECT_EQ(m.lists.renumbered, (std::vector<ResultSlot>{ResultSlot::Search, ResultSlot::UserList,
                                                            ResultSlot::Duplicates}));
    EXPECT_EQ(m.forest.context().lostEntry, (std::array<bool, 3>{}));
    EXPECT_EQ(m.disk->children().size(), 1u);
}

TEST(FreeRecords, ListsThatDoNotExistOrHoldNothingAreLeftAlone) {
    ListedFixture m;
    m.lists.exists[1] = false;
    m.forest.remove(*m.a2);  // listed nowhere
    m.forest.remove(*m.c);
    for (const ItemHead* entry : m.lists.of(ResultSlot::UserList))
        EXPECT_NE(entry, nullptr);
    EXPECT_EQ(m.lists.of(ResultSlot::Search)[5], nullptr);
    EXPECT_EQ(m.lists.renumbered, (std::vector<ResultSlot>{ResultSlot::Search, ResultSlot::Duplicates}));
}

TEST(FreeRecords, ClosingProgramTouchesNoList) {
    ListedFixture m;
    m.forest.context().programClosing = true;
    m.forest.remove(*m.catalog);
    for (ResultSlot s : kResultSlots) {
        for (const ItemHead* entry : m.lists.of(s))
            EXPECT_NE(entry, nullptr);
    }
    EXPECT_TRUE(m.lists.renumbered.empty());
    EXPECT_TRUE(m.forest.roots().empty());
}

TEST(FreeRecords, NestedBatchesRenumberOnceAtTheEnd) {
    ListedFixture m;
    {
        ResultListBatch outer(m.forest.context());
        m.forest.remove(*m.c);
        EXPECT_TRUE(m.lists.renumbered.empty());
        m.forest.remove(*m.disk);
    }
    EXPECT_EQ(m.lists.renumbered.size(), 3u);
    EXPECT_EQ(m.lists.of(ResultSlot::Search)[0], nullptr);
}

TEST(FreeRecords, FreeingWithoutHeadDropsOnlyTheFileList) {
    ListedFixture m;
    TFolderRec& a = ModelFixture::folderRec(*m.a);
    {
        ResultListBatch batch(m.forest.context());
        FreeNodeData(*m.a, false, false);
    }
    EXPECT_EQ(m.a->record(), &a);
    EXPECT_FALSE(a.loaded);
    EXPECT_TRUE(a.files.empty());
    const auto& search = m.lists.of(ResultSlot::Search);
    EXPECT_EQ(search[1], &a);  // the head stays listed
    EXPECT_EQ(search[2], nullptr);
    EXPECT_EQ(search[3], nullptr);
    EXPECT_EQ(search[4], &ModelFixture::folderRec(*m.b));
}

TEST(FreeRecords, UnloadKeepsTheHeadAndMarksTheListNotLoaded) {
    ModelFixture m;
    TFolderRec& a = ModelFixture::folderRec(*m.a);
    a.stored.fileListOffset = 100;
    ASSERT_TRUE(UnloadFileList(*m.a));
    EXPECT_EQ(m.a->record(), &a);
    EXPECT_FALSE(a.loaded);
    EXPECT_TRUE(a.files.empty());
    EXPECT_FALSE(a.files.isBlockFromFile());

    // Nothing stored to read back: the list stays as it is.
    TFolderRec& a2 = ModelFixture::folderRec(*m.a2);
    EXPECT_TRUE(UnloadFileList(*m.a2));
    EXPECT_TRUE(a2.loaded);
    EXPECT_FALSE(UnloadFileList(*m.catalog));
}

TEST(FreeRecords, UnloadIsRefusedWhileTheListIsChangedShownOrListed) {
    ModelFixture m;
    m.diskRec().header.rootListOffset = 40;
    TFileRec& root = *m.diskRec().files.first();
    {
        FileListPin shown(m.diskRec().files);
        EXPECT_FALSE(UnloadFileList(*m.disk));
    }
    m.lists.add(ResultSlot::UserList, root);
    EXPECT_FALSE(UnloadFileList(*m.disk));
    m.lists.of(ResultSlot::UserList).clear();  // a stale word does not hold the list
    EXPECT_TRUE(CanUnloadFileList(m.forest.context(), m.diskRec()));

    SetFileListChanged(*m.disk);
    EXPECT_FALSE(UnloadFileList(*m.disk));
    EXPECT_TRUE(m.diskRec().changed);
    EXPECT_TRUE(m.catalogRec().modified);
    EXPECT_EQ(m.diskRec().files.first(), &root);

    // Records made by a scan exist nowhere else.
    ModelFixture::folderRec(*m.c).stored.fileListOffset = 10;
    EXPECT_FALSE(UnloadFileList(*m.c));
}

TEST(FreeRecords, ModifiedFlagsWalkUpAndTellTheHook) {
    ModelFixture m;
    std::vector<Node*> told;
    m.forest.context().onCatalogModified = [&](Node& n) { told.push_back(&n); };
    m.diskRec().changed = false;

    SetDiskModified(*m.c, true);
    EXPECT_TRUE(m.diskRec().changed);
    EXPECT_TRUE(m.catalogRec().modified);
    SetDiskModified(*m.b, false);
    EXPECT_FALSE(m.diskRec().changed);
    EXPECT_TRUE(m.catalogRec().modified);  // other disks may still hold changes
    SetDiskModified(*m.catalog, true);     // no disk above a catalog
    SetCatalogModified(*m.c, false);
    EXPECT_FALSE(m.catalogRec().modified);
    EXPECT_EQ(told, (std::vector<Node*>{m.catalog, m.catalog}));
}

}  // namespace
}  // namespace kv::test
