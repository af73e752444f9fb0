#include "scan/properties/PropertiesFacts.h"

#include <gtest/gtest.h>

#include "catalog/model/DiskSpace.h"
#include "system/drives/MediaTypes.h"
#include "tests/catalog/ModelFixture.h"

namespace kv {
namespace {

TEST(PropertiesFacts, PagesFollowTheItemKind) {
    test::ModelFixture f;
    TDiskRec templateDisk;
    const struct {
        const char* what;
        const ItemRecord* node;
        const TFileRec* file;
        std::array<bool, 4> shown;
        PropertyPage first;
    } cases[] = {
        {"file in a folder", f.a->record(), f.folderRec(*f.a).files.first(), {true, true, true, false}, PropertyPage::File},
        {"file in the root", f.disk->record(), f.diskRec().files.first(), {true, false, true, false}, PropertyPage::File},
        {"folder", f.a->record(), nullptr, {false, true, true, false}, PropertyPage::Folder},
        {"disk", f.disk->record(), nullptr, {false, false, true, false}, PropertyPage::Disk},
        {"template disk", &templateDisk, nullptr, {false, false, true, false}, PropertyPage::Disk},
        {"catalog", f.catalog->record(), nullptr, {false, false, false, true}, PropertyPage::Catalog},
    };
    for (const auto& c : cases) {
        const PropertyPages pages = ChoosePropertyPages(c.node, c.file);
        EXPECT_EQ(pages.shown, c.shown) << c.what;
        EXPECT_EQ(pages.first, c.first) << c.what;
    }
}

TEST(PropertiesFacts, SizesRatiosAndTypes) {
    EXPECT_EQ(SizeWithBytes(1536), "1.5 kB  (1536 Bytes)");
    EXPECT_EQ(PackedSizeText(0, 1000), "(unknown)");
    EXPECT_EQ(PackedSizeText(600, 1000), "600 B  (ratio: 40 %)");
    // Stored members grow a little: the ratio goes below zero.
    EXPECT_EQ(PackedSizeText(1100, 1000), "1.07 kB  (ratio: -10 %)");
    // An empty member with a packed size has no ratio (and no division by zero).
    EXPECT_EQ(PackedSizeText(20, 0), "20 B");
    EXPECT_EQ(CrcText(0x1A2B3C), "001A2B3C");
    EXPECT_EQ(FileTypeText("readme.txt", ""), "TXT file");
    EXPECT_EQ(FileTypeText("readme", ""), "unknown file type");
    EXPECT_EQ(FileTypeText("a.doc", "Word Document"), "Word Document");
    EXPECT_EQ(ArchiveFolderType("Tools.zip"), "Compressed file (ZIP)");
    EXPECT_EQ(ArchiveFolderType("SETUP.EXE"), "Self-extracted compressed file");
}

TEST(PropertiesFacts, CatalogStatisticsByDiskClass) {
    const struct {
        std::uint8_t media;
        std::uint8_t flags;
        DiskClass expected;
    } cases[] = {{0, 0, DiskClass::Floppy},  {4, 0, DiskClass::Floppy},     {7, 0, DiskClass::Floppy},
                 {9, 0, DiskClass::Floppy},  {5, 0, DiskClass::HardDisk},   {10, 0, DiskClass::CdRom},
                 {13, 0, DiskClass::Removable}, {6, 0, DiskClass::Other},   {8, 0, DiskClass::Other},
                 {11, 0, DiskClass::Other},  {14, 0, DiskClass::Other},     {15, 0, DiskClass::Other},
                 {200, 0, DiskClass::Other}, {5, ItemFlags::VirtualDisk, DiskClass::Virtual}};
    for (const auto& c : cases) {
        TDiskRec disk;
        disk.volume.mediaType = c.media;
        disk.flags |= c.flags;
        EXPECT_EQ(ClassifyDisk(disk), c.expected) << int(c.media);
    }

    test::ModelFixture f;
    Node& cd = f.forest.addChild(*f.catalog, "CD");
    TDiskRec& cdRec = test::Attach(cd, std::make_unique<TDiskRec>());
    for (TDiskRec* d : {&f.diskRec(), &cdRec}) {
        d->volume.bytesPerSector = 512;
        d->volume.sectorsPerCluster = 2;
        d->volume.totalClusters = 1000;
        d->volume.freeClusters = 250;
        d->volume.fileCount = 10;
        d->volume.archiveMemberCount = 5;
        d->volume.folderCount = 3;
    }
    f.diskRec().volume.mediaType = MediaType::HardDisk;
    cdRec.volume.mediaType = MediaType::CdRom;
    const CatalogStatistics stats = CollectCatalogStatistics(*f.catalog);
    EXPECT_EQ(stats.disks, 2u);
    EXPECT_EQ(stats.total, FixedSize::fromBytes(2 * 1024000));
    EXPECT_EQ(stats.used, FixedSize::fromBytes(2 * 768000));
    EXPECT_EQ(stats.files, 30u);
    EXPECT_EQ(stats.folders, 6u);
    EXPECT_EQ(DiskClassText(stats, DiskClass::CdRom), "1 (total 1000 kB)");
    EXPECT_EQ(DiskClassText(stats, DiskClass::Floppy), "0 (total 0 B)");
}

TEST(PropertiesFacts, LostSpaceAndPieNeverGoWrong) {
    test::ModelFixture f;
    TDiskRec& disk = f.diskRec();
    disk.volume.bytesPerSector = 512;
    disk.volume.sectorsPerCluster = 1;
    disk.volume.totalClusters = 100;
    disk.volume.freeClusters = 50;  // 25600 bytes used
    disk.files.first()->stored.size = 1000;
    f.folderRec(*f.a).stored.totalSize = FixedSize::fromBytes(20000);
    f.folderRec(*f.a2).stored.totalSize = FixedSize::fromBytes(600);
    EXPECT_EQ(LostInFileSystem(*f.disk), FixedSize::fromBytes(4000));
    // More counted than used (resident files, compression): shown as nothing lost.
    f.folderRec(*f.a2).stored.totalSize = FixedSize::fromBytes(60000);
    EXPECT_EQ(LostInFileSystem(*f.disk), FixedSize{});

    const FixedSize total = FixedSize::fromBytes(1000);
    EXPECT_EQ(SplitPie(total, FixedSize::fromBytes(254)).usedPercent, 25);
    EXPECT_TRUE(SplitPie(total, FixedSize::fromBytes(254)).showFree);
    EXPECT_EQ(SplitPie(total, total).usedPercent, 100);
    EXPECT_FALSE(SplitPie(total, total).showFree);
    EXPECT_EQ(SplitPie(FixedSize{}, FixedSize{}).usedPercent, 100);
    EXPECT_FALSE(SplitPie(FixedSize{}, FixedSize{}).showFree);
}

TEST(PropertiesFacts, CategoryChoices) {
    TCatalogRec catalog;
    CategoryChoices none = ListCategoryChoices(&catalog, 0);
    EXPECT_EQ(none.names, std::vector<std::string>{"(no categories defined)"});
    EXPECT_FALSE(none.enabled);
    catalog.categories = {{"Games", 4}, {"Tools", 1}};
    const CategoryChoices some = ListCategoryChoices(&catalog, 0xA1);
    EXPECT_EQ(some.names, (std::vector<std::string>{"(none)", "Games", "Tools"}));
    EXPECT_EQ(some.codes, (std::vector<std::uint8_t>{0, 4, 1}));
    EXPECT_TRUE(some.enabled);
    EXPECT_EQ(some.selected, 2);
    // A code no category has shows as none.
    EXPECT_EQ(ListCategoryChoices(&catalog, 9).selected, 0);
}

}  // namespace
}  // namespace kv
