#include <gtest/gtest.h>

#include "ModelFixture.h"
#include "catalog/model/ItemPath.h"

namespace kv::test {
namespace {

struct PathFixture : ModelFixture {
    Node* vdisk = nullptr;
    Node* va = nullptr;
    Node* vb = nullptr;

    PathFixture() {
        vdisk = &forest.addChild(*catalog, "V");
        TDiskRec& v = Attach(*vdisk, std::make_unique<TDiskRec>());
        SetFlag(v.flags, ItemFlags::VirtualDisk, true);
        v.virtualPath = "\\Photos\\";
        va = &folder(*vdisk, "A");
        vb = &folder(*va, "B");
        AddFile(v, "top.jpg");
    }
    TDiskRec& vdiskRec() { return *RecordAs<TDiskRec>(vdisk->record()); }
};

TEST(ItemPath, PathsOfEveryKindOfItem) {
    PathFixture m;
    const ItemHead* c = &ModelFixture::folderRec(*m.c);
    const ItemHead* a = &ModelFixture::folderRec(*m.a);
    const ItemHead* rootFile = m.diskRec().files.first();
    const ItemHead* fileInA = ModelFixture::folderRec(*m.a).files.first();
    const ItemHead* vb = &ModelFixture::folderRec(*m.vb);
    const ItemHead* vdisk = &m.vdiskRec();
    const ItemHead* vfile = m.vdiskRec().files.first();
    struct Case {
        const char* what;
        const ItemHead* rec;
        bool withName, withVirtualRoot;
        const char* expected;
    };
    const Case cases[] = {
        {"nested folder", c, true, false, "\\A\\B\\C"},
        {"nested folder, no name", c, false, false, "\\A\\B"},
        {"top folder, no name", a, false, false, "\\"},
        {"file in the root", rootFile, false, false, "\\"},
        {"file in a folder", fileInA, false, false, "\\A"},
        {"disk", &m.diskRec(), true, true, "\\"},
        {"catalog", &m.catalogRec(), true, true, ""},
        {"nothing", nullptr, true, true, ""},
        {"plain disk ignores the virtual root", c, true, true, "\\A\\B\\C"},
        {"virtual disk folder", vb, true, true, "\\Photos\\A\\B"},
        {"virtual disk folder, no name", vb, false, true, "\\Photos\\A"},
        {"virtual disk folder, real path", vb, true, false, "\\A\\B"},
        {"virtual disk alone", vdisk, true, true, "\\Photos"},
        {"file in a virtual root", vfile, false, true, "\\Photos"},
    };
    for (const Case& t : cases)
        EXPECT_EQ(GetItemPath(t.rec, t.withName, t.withVirtualRoot), t.expected) << t.what;

    // A root stored without its closing backslash still joins as a path.
    m.vdiskRec().virtualPath = "\\Photos";
    EXPECT_EQ(GetItemPath(vb, true, true), "\\Photos\\A\\B");
    m.vdiskRec().virtualPath = "\\";
    EXPECT_EQ(GetItemPath(vb, true, true), "\\A\\B");
    EXPECT_EQ(GetItemPath(vdisk, true, true), "\\");
}

TEST(ItemPath, CacheServesLaterCallsUntilARename) {
    ModelFixture m;
    TFolderRec& c = ModelFixture::folderRec(*m.c);
    EXPECT_EQ(GetItemPath(&c, true, false), "\\A\\B\\C");
    EXPECT_EQ(c.pathCache, "\\A\\B\\C");
    c.pathCache = "\\Cached\\C";
    EXPECT_EQ(GetItemPath(&c, false, false), "\\Cached");

    m.forest.setText(*m.a, "Z");
    EXPECT_EQ(GetItemPath(&c, true, false), "\\Z\\B\\C");
}

TEST(ItemPath, DetachedNodeEndsTheWalk) {
    ModelFixture m;
    Node& up = m.forest.makeDetached("..");
    TFolderRec& rec = Attach(up, std::make_unique<TFolderRec>());
    EXPECT_EQ(GetItemPath(&rec, true, true), "\\..");
    EXPECT_EQ(GetItemPath(&rec, false, true), "\\");

    TFolderRec loose;
    EXPECT_EQ(GetItemPath(&loose, true, true), "");
}

TEST(ItemPath, OwnersOfRecords) {
    ModelFixture m;
    TFileRec* fileInC = ModelFixture::folderRec(*m.c).files.first();
    TFileRec* rootFile = m.diskRec().files.first();
    EXPECT_EQ(GetItemOwner(fileInC, OwnerQuery::DiskOfOwner), m.disk);
    EXPECT_EQ(GetItemOwner(rootFile, OwnerQuery::DiskOfOwner), m.disk);
    EXPECT_EQ(GetItemOwner(fileInC, OwnerQuery::OwnNode), m.c);
    EXPECT_EQ(GetItemOwner(&ModelFixture::folderRec(*m.b), OwnerQuery::DiskOfFolder), m.disk);
    EXPECT_EQ(GetItemOwner(rootFile, OwnerQuery::DiskOfFolder), nullptr);
    EXPECT_EQ(GetItemOwner(&m.catalogRec(), OwnerQuery::DiskOfOwner), nullptr);
    EXPECT_EQ(GetItemOwner(rootFile, static_cast<OwnerQuery>(7)), nullptr);
    EXPECT_EQ(GetItemOwner(nullptr, OwnerQuery::OwnNode), nullptr);
}

}  // namespace
}  // namespace kv::test
