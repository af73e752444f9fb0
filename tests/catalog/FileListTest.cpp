#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "catalog/model/FileList.h"
#include "catalog/model/ItemRecords.h"

namespace kv {
namespace {

std::vector<std::string> Names(const FileList& list) {
    std::vector<std::string> names;
    for (const TFileRec& f : list)
        names.emplace_back(f.name());
    return names;
}

TEST(FileList, BlockAndOwnRecordsShareOneChainInOrder) {
    FileList list;
    list.reserveBlock(2, 10);
    TFileRec& first = list.appendFromFile("one.txt");
    first.description.assign("described");
    list.appendFromFile("two");
    EXPECT_FALSE(list.isDirty());
    FileRecPtr own = MakeFileRec("scanned.doc");
    own->stored.size = 1234;
    own->description.assign("mine");
    TFileRec* ownAddress = own.get();
    TFileRec& appended = list.append(std::move(own));
    EXPECT_EQ(&appended, ownAddress);
    EXPECT_TRUE(list.isDirty());
    list.appendFromFile("");

    EXPECT_EQ(Names(list), (std::vector<std::string>{"one.txt", "two", "scanned.doc", ""}));
    EXPECT_EQ(list.size(), 4u);
    EXPECT_EQ(list.first(), &first);
    EXPECT_EQ(appended.stored.size, 1234u);
    EXPECT_EQ(appended.description.view(), "mine");
    EXPECT_EQ(first.flags, ItemFlags::File);
    EXPECT_EQ(first.iconIndex, -1);
    EXPECT_EQ(first.indexWord(ResultSlot::Duplicates), kNotListed);

    list.clear();
    EXPECT_TRUE(list.empty());
    EXPECT_EQ(list.first(), nullptr);
    EXPECT_FALSE(list.isBlockFromFile());
    EXPECT_FALSE(list.isDirty());
}

TEST(FileList, RecordsKeepTheirAddressesWhileTheBlockGrows) {
    FileList list;
    list.reserveBlock(1, 1);  // far too small: the block must grow, not move
    std::vector<TFileRec*> made;
    for (int i = 0; i < 5000; ++i) {
        made.push_back(&list.appendFromFile("file" + std::to_string(i)));
        if (i % 1000 == 0)
            list.append(MakeFileRec("own" + std::to_string(i)));
    }
    std::size_t k = 0;
    for (TFileRec& f : list) {
        if (f.name().starts_with("own"))
            continue;
        ASSERT_EQ(&f, made[k]);
        EXPECT_EQ(f.name(), "file" + std::to_string(k));
        ++k;
    }
    EXPECT_EQ(k, made.size());
    EXPECT_EQ(list.size(), 5005u);
}

TEST(FileList, NamesAreCutToTheStoredLimitAndHugeHintsAreHarmless) {
    FileList list;
    list.reserveBlock(std::size_t(-1) / 2, std::size_t(-1) / 2);
    const std::string longName(300, 'x');
    EXPECT_EQ(list.appendFromFile(longName).name().size(), 255u);
    EXPECT_EQ(MakeFileRec(longName)->name(), longName.substr(0, 255));
}

TEST(FileList, StoredBlockFlagFollowsHowTheListIsInMemory) {
    TFolderRec folder;
    SetFlag(folder.flags, ItemFlags::FileBlock, true);  // a stale bit in memory does not count
    EXPECT_EQ(FlagsToStore(folder), ItemFlags::Folder);
    folder.files.append(MakeFileRec("scanned"));
    EXPECT_EQ(FlagsToStore(folder), ItemFlags::Folder);
    folder.files.appendFromFile("read");
    EXPECT_EQ(FlagsToStore(folder), ItemFlags::Folder | ItemFlags::FileBlock);
    folder.files.clear();
    EXPECT_EQ(FlagsToStore(folder), ItemFlags::Folder);

    TDiskRec disk;
    SetFlag(disk.flags, ItemFlags::VirtualDisk, true);
    disk.files.reserveBlock(0, 0);  // a stored list that turned out empty
    EXPECT_EQ(FlagsToStore(disk), 0xE3);
}

TEST(FileList, PinsCountViewsAndReleaseOnce) {
    FileList list;
    {
        FileListPin a(list);
        FileListPin b(list);
        EXPECT_EQ(list.pinCount(), 2u);
        FileListPin moved(std::move(a));
        EXPECT_EQ(list.pinCount(), 2u);
        b.reset();
        b.reset();
        EXPECT_EQ(list.pinCount(), 1u);
    }
    EXPECT_EQ(list.pinCount(), 0u);
}

TEST(FileList, FolderCountStaysAtItsStoredMaximum) {
    TDiskRec disk;
    disk.volume.folderCount = 65534;
    IncrementFolderCount(disk);
    IncrementFolderCount(disk);
    EXPECT_EQ(disk.volume.folderCount, 65535);
}

TEST(HeapText, EmptyCostsNothingAndCopiesAreDeep) {
    HeapText empty;
    EXPECT_TRUE(empty.empty());
    EXPECT_EQ(empty.view(), "");
    HeapText t(std::string_view("a\0b", 3));
    EXPECT_EQ(t.size(), 3u);
    HeapText copy = t;
    t.assign(t.view().substr(1));
    EXPECT_EQ(copy.view(), std::string_view("a\0b", 3));
    EXPECT_EQ(t.view(), std::string_view("\0b", 2));
    HeapText moved = std::move(copy);
    EXPECT_TRUE(copy.empty());
    moved.assign("");
    EXPECT_TRUE(moved.empty());
}

}  // namespace
}  // namespace kv
