#include <gtest/gtest.h>

#include "LoadFixtures.h"
#include "SampleCatalog.h"
#include "base/Errors.h"
#include "catalog/file/CatalogLoad.h"
#include "tests/support/ScriptedPrompt.h"

namespace kv {
namespace {

using test::load::MemoryReader;

Node* Open(Forest& forest, const test::CatalogBytes& b) { return ReadCatalog(forest, MemoryReader(b.bytes())); }

TFolderRec& Folder(Node* node) { return *static_cast<TFolderRec*>(node->record()); }

std::vector<std::string> Names(const Node* node) {
    std::vector<std::string> names;
    for (const auto& c : node->children()) names.push_back(c->text());
    return names;
}

std::vector<std::string> FileNames(const FileOwnerRecord& owner) {
    std::vector<std::string> names;
    for (const TFileRec& f : owner.files) names.emplace_back(f.name());
    return names;
}

TEST(CatalogLoad, OpeningReadsDisksAndTopLevelFoldersOnly) {
    const test::load::TreeCatalog t = test::load::MakeTreeCatalog();
    Forest forest;
    Node* catalog = Open(forest, t.bytes);
    ASSERT_EQ(forest.roots().size(), 1u);
    EXPECT_EQ(catalog->text(), "Tree");
    EXPECT_TRUE(catalog->bold());
    ASSERT_EQ(Names(catalog), (std::vector<std::string>{"Empty", "Disk"}));
    Node* empty = catalog->child(0);
    Node* disk = catalog->child(1);
    EXPECT_FALSE(empty->hasChildren());
    ASSERT_EQ(Names(disk), (std::vector<std::string>{"A", "B"}));

    auto& diskRec = *static_cast<TDiskRec*>(disk->record());
    EXPECT_EQ(diskRec.sectionPos, static_cast<std::int32_t>(t.disk.sectionStart));
    EXPECT_TRUE(diskRec.topLevelRead);
    EXPECT_FALSE(diskRec.changed);
    EXPECT_FALSE(diskRec.loaded);
    EXPECT_TRUE(diskRec.files.empty());

    Node* a = disk->child(0);
    Node* b = disk->child(1);
    const auto offsetOf = [&](std::size_t i) {
        return static_cast<std::int32_t>(t.disk.folderRecords[i] - t.disk.sectionStart);
    };
    EXPECT_EQ(Folder(a).subfolderPos, offsetOf(1));  // A1
    EXPECT_TRUE(a->hasChildren());
    EXPECT_TRUE(a->children().empty());
    EXPECT_EQ(Folder(b).subfolderPos, 0);
    EXPECT_FALSE(b->hasChildren());
    EXPECT_EQ(Folder(a).diskNode, disk);
    EXPECT_FALSE(Folder(a).loaded);

    // One level on demand; the level is marked read and never read again.
    LoadSubfolders(a);
    ASSERT_EQ(Names(a), (std::vector<std::string>{"A1", "A2"}));
    EXPECT_EQ(Folder(a).subfolderPos, -offsetOf(1));
    Node* a1 = a->child(0);
    EXPECT_EQ(Folder(a1).subfolderPos, offsetOf(2));
    EXPECT_TRUE(a1->children().empty());
    LoadSubfolders(a);
    LoadSubfolders(disk);
    EXPECT_EQ(Names(a).size(), 2u);
    EXPECT_EQ(Names(disk).size(), 2u);

    LoadSubfolders(a1);
    ASSERT_EQ(Names(a1), (std::vector<std::string>{"A1a"}));
    EXPECT_TRUE(Folder(a1->child(0)).files.empty());
}

TEST(CatalogLoad, RecursiveLoadWithFilesMakesTheWholeBranchOnce) {
    const test::load::TreeCatalog t = test::load::MakeTreeCatalog();
    Forest forest;
    Node* disk = Open(forest, t.bytes)->child(1);
    Node* a = disk->child(0);
    LoadSubfolders(a, true, true);
    ASSERT_EQ(Names(a), (std::vector<std::string>{"A1", "A2"}));
    ASSERT_EQ(Names(a->child(0)), (std::vector<std::string>{"A1a"}));
    EXPECT_EQ(FileNames(Folder(a)), (std::vector<std::string>{"a1", "a2"}));
    EXPECT_EQ(FileNames(Folder(a->child(0)->child(0))), (std::vector<std::string>{"deep"}));
    EXPECT_TRUE(Folder(a->child(1)).loaded);

    // Already read levels are walked, not read again; the rest of the disk comes in too.
    LoadSubfolders(disk, true, true);
    EXPECT_EQ(Names(a).size(), 2u);
    EXPECT_EQ(Names(a->child(0)).size(), 1u);
    EXPECT_EQ(FileNames(*static_cast<TDiskRec*>(disk->record())), (std::vector<std::string>{"root.txt"}));
    EXPECT_EQ(FileNames(Folder(disk->child(1))), (std::vector<std::string>{"b"}));
    LoadSubfolders(a->child(0));
    EXPECT_EQ(Names(a->child(0)).size(), 1u);
}

TEST(CatalogLoad, FileBlockFlagsAndInheritance) {
    const test::load::TreeCatalog t = test::load::MakeTreeCatalog();
    Forest forest;
    Node* disk = Open(forest, t.bytes)->child(1);
    Node* a = disk->child(0);
    Node* b = disk->child(1);
    EXPECT_FALSE(Folder(a).flags & ItemFlags::HasDescriptions);
    LoadFileList(a);
    LoadFileList(b);
    LoadFileList(disk);
    // A description among the files marks the owner; archive folders pass 0x10 to their members.
    EXPECT_TRUE(Folder(a).flags & ItemFlags::HasDescriptions);
    EXPECT_FALSE(static_cast<TDiskRec*>(disk->record())->flags & ItemFlags::HasDescriptions);
    const TFileRec& a2 = *Folder(a).files.first()->next();
    EXPECT_EQ(a2.description.view(), "note");
    EXPECT_EQ(a2.flags, ItemFlags::File);
    EXPECT_EQ(a2.node, a);
    EXPECT_EQ(a2.stored.size, 200u);
    EXPECT_EQ(Folder(b).files.first()->flags, ItemFlags::File | ItemFlags::Archive);
    EXPECT_TRUE(Folder(a).files.isBlockFromFile());
    EXPECT_EQ(FlagsToStore(Folder(a)) & ItemFlags::FileBlock, ItemFlags::FileBlock);
    EXPECT_TRUE(Folder(a).loaded);
    LoadFileList(a);
    EXPECT_EQ(Folder(a).files.size(), 2u);
}

TEST(CatalogLoad, ListCutShortShowsTheRecoveryMessageOnceAndKeepsWhatWasRead) {
    test::CatalogBytes b;
    b.head("Cut").categoryBlock();
    const test::load::DiskLayout d = test::load::AddDisk(b, "Disk", {}, {{1, "F", {{"one", ""}, {"two", ""}, {"three", ""}}}});
    // The third record's description count runs past the list's end.
    const std::size_t list = d.sectionStart + static_cast<std::size_t>(d.listOffsets[0]);
    const std::size_t third = list + 2 * (1 + 3 + 18 + 2) + 1 + 5 + 18;
    b.patchU8(third, 0x50);
    ui::ScriptedPrompt prompt;
    Forest forest;
    Node* folder = Open(forest, b)->child(0)->child(0);
    LoadFileList(folder, &prompt);
    EXPECT_EQ(FileNames(Folder(folder)), (std::vector<std::string>{"one", "two"}));
    EXPECT_TRUE(Folder(folder).loaded);
    ASSERT_EQ(prompt.asked.size(), 1u);
    EXPECT_EQ(prompt.asked[0].text,
              "Program detected an error while trying to load files in folder \"\\F\". Catalog file may be "
              "damaged.\r\nProgram will try to recover by skipping the rest of files in this folder.");
    EXPECT_EQ(prompt.asked[0].caption, "Error Loading Catalog");
    EXPECT_EQ(prompt.asked[0].icon, ui::PromptIcon::Stop);
    LoadFileList(folder, &prompt);
    EXPECT_EQ(prompt.asked.size(), 1u);
}

TEST(CatalogLoad, SampleCatalogReadsEveryStoredField) {
    test::SampleCatalog s = test::makeSampleCatalog();
    Forest forest;
    Node* catalog = Open(forest, s.bytes);
    auto& c = *static_cast<TCatalogRec*>(catalog->record());
    EXPECT_EQ(c.description, "Two disks");
    EXPECT_EQ(c.fileName, "C:\\mem.cat");
    EXPECT_TRUE(c.currentFormat);
    EXPECT_FALSE(c.modified);
    ASSERT_EQ(c.categories.size(), 2u);
    EXPECT_EQ(c.categories[1], (CategoryEntry{"Work", 2}));
    EXPECT_EQ(c.flagNames, (std::array<std::string, 3>{"Favourite", "", ""}));
    ASSERT_NE(c.reader, nullptr);

    Node* photos = catalog->child(0);
    auto& d = *static_cast<TDiskRec*>(photos->record());
    EXPECT_EQ(d.flags, 0xA3);
    EXPECT_TRUE(d.isVirtual());
    EXPECT_EQ(d.virtualPath, "\\Photos\\");
    EXPECT_EQ(d.otherClusters, 250u);
    EXPECT_EQ(d.label, "DATA");
    EXPECT_EQ(d.fileSystem, "NTFS");
    EXPECT_EQ(d.description, "Holiday pictures");
    EXPECT_EQ(d.volume.catalogued, 40000.5);
    EXPECT_EQ(Folder(photos->child(1)).flags, 0x1A);
    EXPECT_EQ(Folder(photos->child(1)).stored.totalSize, FixedSize::fromBytes(400));
    LoadSubfolders(photos->child(0));
    EXPECT_EQ(Folder(photos->child(0)->child(0)).description, "empty");
    Node* empty = catalog->child(1);
    EXPECT_TRUE(static_cast<TDiskRec*>(empty->record())->loaded);
    EXPECT_TRUE(empty->children().empty());
}

TEST(CatalogLoad, OpenOutcomes) {
    struct Case {
        const char* what;
        std::vector<std::uint8_t> bytes;
        const char* error;  // nullptr: opens
        bool modified;
        bool currentFormat;
    };
    auto headOnly = [](std::string_view version) {
        test::CatalogBytes b;
        b.head("X", "", version).categoryBlock();
        return b.bytes();
    };
    test::CatalogBytes longName;
    longName.raw("Catalog 1.01").u8(0).longText(std::string(4097, 'n'));
    test::CatalogBytes wrongKind;
    wrongKind.head("X").categoryBlock();
    wrongKind.patchU8(test::load::AddDisk(wrongKind, "D", {}, {}).sectionStart, 0x02);
    std::vector<std::uint8_t> foreign = headOnly("1.01");
    foreign[0] = 'c';
    const Case cases[] = {
        {"current", headOnly("1.01"), nullptr, false, true},
        {"old format", headOnly("1.00"), nullptr, true, false},
        {"later version", headOnly("9.99"), nullptr, false, true},
        {"not a catalog", foreign, "This is not a valid catalog file!", false, false},
        {"shorter than a header", {'C', 'a', 't'}, "This is not a valid catalog file!", false, false},
        {"empty file", {}, "This is not a valid catalog file!", false, false},
        {"text over 4096", longName.bytes(), "String data too long!", false, false},
        {"wrong kind", wrongKind.bytes(), "Internal catalog structure error detected.", false, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Forest forest;
        if (!c.error) {
            Node* node = ReadCatalog(forest, MemoryReader(c.bytes));
            auto& rec = *static_cast<TCatalogRec*>(node->record());
            EXPECT_EQ(rec.modified, c.modified);
            EXPECT_EQ(rec.currentFormat, c.currentFormat);
            continue;
        }
        try {
            ReadCatalog(forest, MemoryReader(c.bytes));
            ADD_FAILURE() << "opened";
        } catch (const EInvalidCatalog& e) {
            EXPECT_STREQ(e.what(), c.error);
        }
        EXPECT_TRUE(forest.roots().empty());
    }
}

TEST(CatalogLoad, MissingFileIsAFileOpenError) {
    Forest forest;
    try {
        ReadCatalogFile(forest, "/nonexistent/dir/x.ctg");
        ADD_FAILURE();
    } catch (const EReadBufferError& e) {
        EXPECT_STREQ(e.what(), "File open error");
    }
    EXPECT_TRUE(forest.roots().empty());
}

}  // namespace
}  // namespace kv
