#include "scan/catmanager/CopyDisk.h"
#include "scan/categories/CategoryEdit.h"

#include <gtest/gtest.h>

#include "base/ByteSink.h"
#include "base/ReadAhead.h"
#include "catalog/file/CatalogLoad.h"
#include "catalog/file/CatalogWrite.h"
#include "catalog/model/ItemPath.h"
#include "tests/catalog/CatalogPlan.h"
#include "tests/catalog/ModelFixture.h"

namespace kv {
namespace {

test::FilePlan File(std::string name, std::uint32_t size, std::string description = "") {
    return {std::move(name), {0x20, 0x11, 0x22, 0x33, size, 0x25}, std::move(description)};
}

test::DiskPlan Disk(std::string name) {
    test::DiskPlan d;
    d.start.name = std::move(name);
    d.start.volume.bytesPerSector = 512;
    d.start.volume.sectorsPerCluster = 1;
    d.start.volume.totalClusters = 1000;
    d.start.fileSystem = "FAT";
    d.start.description = "about " + d.start.name;
    return d;
}

test::CatalogPlan Left() {
    test::CatalogPlan c;
    c.name = "Left";
    test::DiskPlan one = Disk("One");
    one.files = {File("root.txt", 1, "described")};
    test::FolderPlan a{"A", ItemFlags::Folder, {}, "folder A", {File("a.txt", 2)}, {}};
    a.children.push_back({"Deep", ItemFlags::Folder, {}, "deep folder", {File("d1", 3, "d one"), File("d2", 4)}, {}});
    one.folders = {a, test::FolderPlan{"B", ItemFlags::Folder, {}, "", {File("b.txt", 5)}, {}}};
    test::DiskPlan two = Disk("Two");
    two.files = {File("x", 6)};
    c.disks = {one, two};
    return c;
}

test::CatalogPlan Right() {
    test::CatalogPlan c;
    c.name = "Right";
    test::DiskPlan one = Disk("One");
    one.files = {File("other.txt", 7)};
    c.disks = {one};
    return c;
}

Node& Open(Forest& forest, std::vector<std::uint8_t> bytes, const char* name) {
    return *ReadCatalog(forest, MakeReader(std::make_unique<TReadAheadStream>(
                                    std::make_unique<MemorySource>(std::move(bytes)), name)));
}

// Every folder and file of a disk with what the user gave them, read to the end.
std::string Dump(Node& node, int depth = 0) {
    LoadSubfolders(&node, false, false);
    LoadFileList(&node);
    std::string out = std::string(depth, ' ') + node.text();
    if (auto* disk = RecordAs<TDiskRec>(node.record())) out += " [" + disk->description + "]";
    if (auto* folder = RecordAs<TFolderRec>(node.record())) out += " [" + folder->description + "]";
    out += "\n";
    if (auto* owner = RecordAs<FileOwnerRecord>(node.record()))
        for (const TFileRec& f : owner->files)
            out += std::string(depth + 1, ' ') + std::string(f.name()) + " " + std::to_string(f.stored.size) + " " +
                   std::to_string(f.stored.category) + " [" + std::string(f.description.view()) + "]\n";
    for (const auto& child : node.children()) out += Dump(*child, depth + 1);
    return out;
}

std::vector<std::uint8_t> Saved(Node& catalog) {
    MemorySink sink;
    EncodeCatalog(catalog, sink);
    return sink.take();
}

TEST(CopyDisk, UnreadDisksCopyAndMoveWholeAndSaveAfterTheSourceCloses) {
    Forest reference;
    const std::string one = Dump(*Open(reference, test::BytesOf(Left()), "ref.ctf").child(0));
    const std::string two = Dump(*reference.roots()[0]->child(1));

    Forest forest;
    Node& left = Open(forest, test::BytesOf(Left()), "left.ctf");
    Node& right = Open(forest, test::BytesOf(Right()), "right.ctf");
    Node& copy = CopyDiskToCatalog(*left.child(0), right, false);
    Node& moved = CopyDiskToCatalog(*left.child(1), right, true);
    EXPECT_EQ(copy.text(), "One (2)");
    EXPECT_EQ(moved.text(), "Two");
    EXPECT_EQ(left.children().size(), 1u);
    EXPECT_TRUE(RecordAs<TCatalogRec>(right.record())->modified);
    EXPECT_TRUE(RecordAs<TCatalogRec>(left.record())->modified);
    // Every record under the new disks belongs to the new nodes.
    Node* deep = copy.child(0)->child(0);
    auto* deepRec = RecordAs<TFolderRec>(deep->record());
    EXPECT_EQ(deepRec->diskNode, &copy);
    EXPECT_EQ(deepRec->files.first()->node, deep);
    EXPECT_EQ(GetItemPath(deepRec->files.first(), false, false), "\\A\\Deep");

    forest.remove(left);
    Forest reopened;
    Node& back = Open(reopened, Saved(right), "right2.ctf");
    ASSERT_EQ(back.children().size(), 3u);
    EXPECT_EQ(Dump(*back.child(1)), "One (2) [about One]\n" + one.substr(one.find('\n') + 1));
    EXPECT_EQ(Dump(*back.child(2)), two);
}

TEST(CopyDisk, AMoveKeepsResultListsOnTheMovedRecordsACopyOnTheSource) {
    test::ModelFixture f;
    Node& other = f.forest.addRoot("Other");
    test::Attach(other, std::make_unique<TCatalogRec>());
    TFileRec& a1 = *f.folderRec(*f.a).files.first();
    ItemRecord* folderB = f.b->record();
    f.lists.add(ResultSlot::Search, a1);
    f.lists.add(ResultSlot::UserList, *folderB);

    Node& copy = CopyDiskToCatalog(*f.disk, other, false);
    auto* copiedA1 = RecordAs<TFolderRec>(copy.child(0)->record())->files.first();
    EXPECT_NE(copiedA1, &a1);
    EXPECT_EQ(copiedA1->indexWord(ResultSlot::Search), kNotListed);
    EXPECT_EQ(f.lists.of(ResultSlot::Search)[0], &a1);

    Node& moved = CopyDiskToCatalog(*f.disk, other, true);
    EXPECT_EQ(moved.text(), "D (2)");
    EXPECT_EQ(f.catalog->children().size(), 0u);
    // The lists point at the same records, which now hang under the target.
    EXPECT_EQ(f.lists.of(ResultSlot::Search)[0], &a1);
    EXPECT_EQ(f.lists.of(ResultSlot::UserList)[0], folderB);
    EXPECT_EQ(a1.node, moved.child(0));
    EXPECT_EQ(folderB->node, moved.child(0)->child(0));
    EXPECT_EQ(RecordAs<TFolderRec>(folderB)->diskNode, &moved);
}

}  // namespace
}  // namespace kv

namespace kv {
namespace {

// Category 1 deleted and flag 2 removed in a catalog whose lists were never
// read: the walk reads them from the file, the changed ones are saved from
// memory, and the catalog read back shows the cleared bytes.
TEST(CategoryRemap, ReadsUnloadedListsAndSavesTheClearedBytes) {
    test::CatalogPlan plan = Left();
    plan.categories = {{"Docs", 1}, {"Games", 2}};
    plan.flagNames = {"", "Blue", ""};
    plan.disks[0].files[0].data.category = 0x41;                  // Docs, Blue
    plan.disks[0].folders[0].files[0].data.category = 0x02;        // Games
    plan.disks[0].folders[0].children[0].files[1].data.category = 0x21;
    Forest forest;
    Node& catalog = Open(forest, test::BytesOf(plan), "plan.ctf");
    CategoryEditRec rec = StartCategoryEdit(catalog);
    CategoryNames list = CategoryNames::Of(rec.Catalog());
    list.remove(static_cast<std::size_t>(list.indexOf("Docs")), rec.DeletedCategories);
    CommitCategoryChanges(rec, list, {"", "", ""}, {false, true, false});
    ApplyCategoryChanges(catalog, rec);

    Forest reread;
    Node& back = Open(reread, Saved(catalog), "back.ctf");
    EXPECT_EQ(RecordAs<TCatalogRec>(back.record())->categories, (std::vector<CategoryEntry>{{"Games", 2}}));
    const std::string dump = Dump(*back.child(0));
    EXPECT_NE(dump.find(" root.txt 1 0 [described]"), std::string::npos) << dump;
    EXPECT_NE(dump.find(" a.txt 2 2 []"), std::string::npos) << dump;
    EXPECT_NE(dump.find(" d2 4 32 []"), std::string::npos) << dump;
    // The other disk had nothing to clear: its list was let go again.
    EXPECT_FALSE(RecordAs<TDiskRec>(catalog.child(1)->record())->loaded);
}

}  // namespace
}  // namespace kv
