#include "catalog/media/RealPath.h"

#include <gtest/gtest.h>

#include "tests/catalog/ModelFixture.h"

namespace kv {
namespace {

using test::ModelFixture;

TEST(RealPath, JoinsPartsWithOneBackslash) {
    ModelFixture m;
    const TFileRec* c1 = m.folderRec(*m.c).files.first();
    EXPECT_EQ(RealPathOf(c1, "T:"), "T:\\A\\B\\C\\c1.txt");
    EXPECT_EQ(RealPathOf(m.c->record(), "T:"), "T:\\A\\B\\C");
    EXPECT_EQ(RealFolderOf(m.c->record(), "T:"), "T:\\A\\B");
    EXPECT_EQ(RealPathOf(m.diskRec().files.first(), "T:"), "T:\\root.txt");
    EXPECT_EQ(RealPathOf(&m.diskRec(), "T:"), "T:\\");
    EXPECT_EQ(RealPathOf(&m.diskRec(), "T:\\"), "T:\\");
    EXPECT_EQ(RealPathOf(m.c->record(), "/mnt/medium/"), "/mnt/medium/A\\B\\C");
    EXPECT_EQ(RealPathOf(&m.catalogRec(), "T:"), "");
}

TEST(RealPath, VirtualDiskPathsStartInItsFolder) {
    ModelFixture m;
    m.diskRec().flags |= ItemFlags::VirtualDisk;
    m.diskRec().virtualPath = "\\Photos\\2001\\";
    EXPECT_EQ(RealPathOf(m.diskRec().files.first(), "T:"), "T:\\Photos\\2001\\root.txt");
    EXPECT_EQ(RealPathOf(m.c->record(), "T:"), "T:\\Photos\\2001\\A\\B\\C");
    EXPECT_EQ(RealPathOf(&m.diskRec(), "T:"), "T:\\Photos\\2001");
    EXPECT_EQ(RealFolderOf(m.folderRec(*m.a).files.first(), "T:"), "T:\\Photos\\2001\\A");
}

TEST(RealPath, SafeLeafNamesAndLastParts) {
    for (const char* bad : {"", ".", "..", "..\\x", "a/b", "C:x", "a*", "a?", "a\"b", "a<b", "a>b", "a|b", "a\tb"})
        EXPECT_FALSE(IsSafeLeafName(bad)) << bad;
    for (const char* good : {"a.txt", "...", "New Folder (2)", "x..y", "\xE4pple"})
        EXPECT_TRUE(IsSafeLeafName(good)) << good;
    EXPECT_EQ(LastPathPart("docs\\readme.txt"), "readme.txt");
    EXPECT_EQ(LastPathPart("a/b/c.txt"), "c.txt");
    EXPECT_EQ(LastPathPart("..\\..\\x.ini"), "x.ini");
    EXPECT_EQ(LastPathPart("plain"), "plain");
}

TEST(RealPath, ArchiveMembersAreFilesInsideArchiveFolders) {
    ModelFixture m;
    Node& zip = m.folder(*m.a, "pack.zip");
    ModelFixture::folderRec(zip).flags |= ItemFlags::Archive;
    TFileRec& member = test::AddFile(ModelFixture::folderRec(zip), "inner.txt");
    member.flags |= ItemFlags::Archive;
    TFileRec& plainArchive = test::AddFile(ModelFixture::folderRec(*m.a), "other.zip");
    plainArchive.flags |= ItemFlags::Archive;
    EXPECT_TRUE(IsArchiveMember(&member));
    EXPECT_FALSE(IsArchiveMember(&plainArchive));
    EXPECT_TRUE(IsArchiveFolder(zip.record()));
    EXPECT_FALSE(IsArchiveFolder(m.a->record()));
    EXPECT_EQ(RealFolderOf(&member, "T:"), "T:\\A\\pack.zip");
}

}  // namespace
}  // namespace kv
