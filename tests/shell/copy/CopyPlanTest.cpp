#include "shell/copy/CopyPlan.h"

#include <gtest/gtest.h>

#include "tests/catalog/ModelFixture.h"

namespace kv {
namespace {

using test::ModelFixture;

std::vector<std::string> Paths(const std::vector<CopyEntry>& plan) {
    std::vector<std::string> out;
    for (const CopyEntry& e : plan)
        out.push_back(e.diskName + ":" + e.pathOnDisk);
    return out;
}

const TFileRec* FileNamed(FileOwnerRecord& owner, std::string_view name) {
    for (const TFileRec* f = owner.files.first(); f; f = f->next())
        if (f->name() == name)
            return f;
    return nullptr;
}

TEST(CopyPlan, KeepsWhatCanBeCopiedInDiskPathOrder) {
    ModelFixture m;
    Node& zip = m.folder(*m.a, "pack.zip");
    ModelFixture::folderRec(zip).flags |= ItemFlags::Archive;
    TFileRec& member = test::AddFile(ModelFixture::folderRec(zip), "inner.txt");
    member.flags |= ItemFlags::Archive;
    const ItemHead* items[] = {FileNamed(m.folderRec(*m.a), "a2.txt"), &m.diskRec(), m.a2->record(), &m.catalogRec(),
                               &member, zip.record(), FileNamed(m.diskRec(), "root.txt"), nullptr};
    const std::vector<CopyEntry> plan = PlanCopy(items, nullptr, {});
    EXPECT_EQ(Paths(plan), (std::vector<std::string>{"D:\\A2", "D:\\root.txt", "D:\\A\\a2.txt", "D:\\A\\pack.zip"}));
    // An archive shown as a folder is copied as the file it is.
    EXPECT_FALSE(plan[3].folder);
    EXPECT_TRUE(plan[0].folder);
    // The ".." row is never copied.
    EXPECT_TRUE(PlanCopy(std::vector<const ItemHead*>{m.a2->record()}, m.a2->record(), {}).empty());
}

TEST(CopyPlan, AChosenFolderTakesWhatItsCopyCopies) {
    ModelFixture m;
    Node& bc = m.folder(*m.a, "BC");
    const TFileRec& x = test::AddFile(ModelFixture::folderRec(bc), "x.txt");
    const ItemHead* items[] = {FileNamed(m.folderRec(*m.c), "c1.txt"), m.b->record(), &x,
                               FileNamed(m.folderRec(*m.a), "a1.txt"), m.a->record()};
    EXPECT_EQ(Paths(PlanCopy(items, nullptr, {true, true, true})), (std::vector<std::string>{"D:\\A"}));

    // "\A\B" holds "\A\B\C\c1.txt" but not "\A\BC\x.txt".
    const ItemHead* sameName[] = {m.b->record(), &x};
    EXPECT_EQ(Paths(PlanCopy(sameName, nullptr, {})), (std::vector<std::string>{"D:\\A\\B", "D:\\A\\BC\\x.txt"}));

    // Without sub-folders a folder's copy takes its own files only.
    EXPECT_EQ(Paths(PlanCopy(items, nullptr, {true, true, false})),
              (std::vector<std::string>{"D:\\A", "D:\\A\\B", "D:\\A\\B\\C\\c1.txt", "D:\\A\\BC\\x.txt"}));
}

TEST(CopyPlan, DisksOfOneNameInTwoCatalogsStayApart) {
    ModelFixture m;
    Node& other = m.forest.addRoot("Other");
    test::Attach(other, std::make_unique<TCatalogRec>());
    Node& disk2 = m.forest.addChild(other, "d");
    TDiskRec& disk2Rec = test::Attach(disk2, std::make_unique<TDiskRec>());
    const TFileRec& z = test::AddFile(disk2Rec, "a.txt");
    const ItemHead* items[] = {FileNamed(m.diskRec(), "root.txt"), &z, m.a2->record()};
    const std::vector<CopyEntry> plan = PlanCopy(items, nullptr, {});
    ASSERT_EQ(plan.size(), 3u);
    EXPECT_EQ(plan[0].disk, plan[1].disk);
    EXPECT_EQ(plan[2].disk, &disk2);
}

TEST(CopyPlan, ProgressCountsCataloguedBytes) {
    ModelFixture m;
    m.folderRec(*m.a).stored.totalSize = FixedSize::fromBytes(5000);
    m.folderRec(*m.b).stored.totalSize = FixedSize::fromBytes(3000);
    const ItemHead* items[] = {m.a->record()};
    EXPECT_EQ(PlanCopy(items, nullptr, {true, true, true})[0].bytes, 5000u);
    EXPECT_EQ(PlanCopy(items, nullptr, {true, true, false})[0].bytes, 2000u);
    EXPECT_EQ(CopyDestinationCaption(PlanCopy(items, nullptr, {})), "Copy \"A\" to:");
}

}  // namespace
}  // namespace kv
