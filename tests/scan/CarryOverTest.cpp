#include <gtest/gtest.h>

#include "scan/CarryOver.h"
#include "tests/scan/ScanTree.h"

namespace kv {
namespace {

TEST(CarryOver, ExactNameWholeRunAndOtherKinds) {
    Forest forest;
    Node& cat = test::NewCatalog(forest);
    Node& disk = forest.addChild(cat, "Old");
    (void)disk.setRecord(std::make_unique<TDiskRec>());
    auto& d = *RecordAs<TDiskRec>(disk.record());
    auto addFile = [&](const char* name, std::uint32_t size, const char* desc, std::uint8_t category) {
        TFileRec& f = d.addFile(MakeFileRec(name));
        f.stored.size = size;
        f.stored.modified = 77;
        f.description.assign(desc);
        f.stored.category = category;
    };
    // Many of one name: the match may sit anywhere in the run.
    for (int i = 0; i < 20; ++i) addFile("readme.txt", 100 + i, ("copy " + std::to_string(i)).c_str(), 0);
    addFile("ReadMe.TXT", 5, "mixed case", 0);
    addFile("flagged.bin", 9, "", 0x41);
    Node& folder = forest.addChild(disk, "pack.zip");
    auto rec = std::make_unique<TFolderRec>();
    rec->description = "was a folder";
    rec->stored.reserved = 3;
    rec->stored.category = 2;
    (void)folder.setRecord(std::move(rec));

    CarryOver carry;
    IScanProgress progress;
    carry.collect(disk, false, progress);
    carry.build();
    EXPECT_EQ(carry.size(), 23u);

    auto probe = [&](const char* name, std::uint32_t size, std::uint32_t modified) {
        FileRecPtr f = MakeFileRec(name);
        f->stored.size = size;
        f->stored.modified = modified;
        carry.apply(*f);
        return std::make_pair(f->description.str(), f->stored.category);
    };
    EXPECT_EQ(probe("readme.txt", 100, 77).first, "copy 0");
    EXPECT_EQ(probe("readme.txt", 119, 77).first, "copy 19");
    EXPECT_EQ(probe("readme.txt", 119, 78).first, "");
    EXPECT_EQ(probe("README.TXT", 5, 77).first, "");
    EXPECT_EQ(probe("ReadMe.TXT", 5, 77).first, "mixed case");
    EXPECT_EQ(probe("flagged.bin", 9, 77).second, 0x41);
    // An entry of the other kind needs no size or date; a file takes a folder's
    // description and category, never its first user byte.
    EXPECT_EQ(probe("pack.zip", 1, 1), std::make_pair(std::string("was a folder"), std::uint8_t{2}));

    auto newFolder = std::make_unique<TFolderRec>();
    newFolder->stored.modified = 123;
    EXPECT_TRUE(carry.apply(*newFolder, "readme.txt"));
    EXPECT_EQ(newFolder->description, "copy 0");
    EXPECT_EQ(newFolder->stored.reserved, 0);
}

}  // namespace
}  // namespace kv
