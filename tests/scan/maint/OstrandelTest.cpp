#include "scan/dosimport/OstrandelImport.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

#include "base/CatalogDate.h"
#include "catalog/model/ItemPath.h"
#include "system/drives/MediaTypes.h"

namespace kv {
namespace {

std::vector<std::uint8_t> Fixture(const char* name) {
    std::ifstream in(std::string(KV_FIXTURES_DIR) + "/ostrandel/" + name, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

OstrandelDatabase Sample() {
    return {Fixture("SAMPLE.DSK"), Fixture("SAMPLE.CMT"), Fixture("SAMPLE.FDS"), Fixture("SAMPLE.FIL")};
}

const TFolderRec& Folder(const Node& n) { return *RecordAs<TFolderRec>(n.record()); }
const TDiskRec& Disk(const Node& n) { return *RecordAs<TDiskRec>(n.record()); }

std::vector<std::string> Names(const FileOwnerRecord& owner) {
    std::vector<std::string> names;
    for (const TFileRec& f : owner.files) names.emplace_back(f.name());
    return names;
}

TEST(OstrandelImport, DisksWithTheirMediaDatesAndComments) {
    Forest forest;
    std::vector<std::pair<std::size_t, std::size_t>> steps;
    const OstrandelImportResult result = ImportOstrandelDatabase(
        forest, Sample(), [&](std::size_t total, std::size_t done) { steps.emplace_back(total, done); });
    ASSERT_TRUE(result.catalog);
    EXPECT_FALSE(result.entriesMissing);
    Node& catalog = *result.catalog;
    EXPECT_EQ(catalog.text(), "Old shelf");
    EXPECT_TRUE(RecordAs<TCatalogRec>(catalog.record())->modified);
    ASSERT_EQ(catalog.children().size(), 4u);
    EXPECT_EQ(catalog.child(0)->text(), "UTILS");
    EXPECT_EQ(catalog.child(3)->text(), "(unknown)");

    const TDiskRec& utils = Disk(*catalog.child(0));
    EXPECT_EQ(utils.volume.mediaType, MediaType::Floppy35HD);
    EXPECT_EQ(utils.fileSystem, "FAT");
    EXPECT_EQ(utils.volume.maxNameLength, 255u);
    EXPECT_EQ(utils.volume.totalClusters, 2847u);
    EXPECT_EQ(utils.volume.freeClusters, 195u);
    EXPECT_EQ(utils.description, "The utilities floppy");
    EXPECT_EQ(fromCatalogDate(utils.volume.catalogued), (DateTime{1995, 3, 17, 0, 0, 0}));
    EXPECT_EQ(Disk(*catalog.child(1)).volume.mediaType, MediaType::Floppy525DD);
    EXPECT_EQ(Disk(*catalog.child(2)).volume.mediaType, MediaType::CdRom);
    EXPECT_EQ(Disk(*catalog.child(2)).fileSystem, "CDFS");
    EXPECT_EQ(Disk(*catalog.child(2)).description, "Pictures of 1999");
    EXPECT_EQ(Disk(*catalog.child(3)).volume.mediaType, MediaType::HardDisk);
    EXPECT_EQ(steps.front(), (std::pair<std::size_t, std::size_t>{4, 0}));
    EXPECT_EQ(steps.back().second, 3u);  // disks 1, 7 (no record) and 2
}

TEST(OstrandelImport, MediaKindRules) {
    const struct {
        std::uint8_t drive;
        std::uint8_t low;
        std::uint32_t capacity;
        std::uint8_t expected;
    } cases[] = {{0x02, 1, 1457664, MediaType::Floppy35HD}, {0x02, 1, 921600, MediaType::Floppy35HD},
                 {0x02, 1, 921599, MediaType::Floppy35DD},  {0x02, 1, 2048000, MediaType::Floppy35EHD},
                 {0x00, 1, 368640, MediaType::Floppy525DD}, {0x01, 1, 614400, MediaType::Floppy525HD},
                 {0x25, 1, 1, MediaType::CdRom},            {0x22, 1, 1457664, MediaType::Floppy35HD},
                 {0x05, 1, 1, MediaType::Removable},        {0x02, 0, 1457664, MediaType::HardDisk}};
    for (const auto& c : cases)
        EXPECT_EQ(SetImportedMediaKind(c.drive, c.low, c.capacity), c.expected) << int(c.drive) << " " << c.capacity;
    EXPECT_EQ(ImportedDate(0, 1, 95), 0);
    EXPECT_EQ(ImportedDate(29, 2, 99), 0);
    EXPECT_EQ(ImportedDate(31, 13, 95), 0);
    EXPECT_NE(ImportedDate(29, 2, 100), 0);
}

TEST(OstrandelImport, FoldersArchivesFilesAndDescriptions) {
    Forest forest;
    Node& catalog = *ImportOstrandelDatabase(forest, Sample()).catalog;
    Node& utils = *catalog.child(0);
    const TDiskRec& disk = Disk(utils);
    // Tools, Arc.zip, Pack.arj and More.lzh (opened by the entry that closed Pack.arj).
    ASSERT_EQ(utils.children().size(), 4u);
    EXPECT_EQ(Names(disk), std::vector<std::string>{"Root.bat"});
    EXPECT_EQ(disk.files.first()->stored.attributes, 0x21);

    const Node& tools = *utils.child(0);
    EXPECT_EQ(tools.text(), "Tools");
    EXPECT_EQ(Folder(tools).description, "Tools folder");
    EXPECT_EQ(Names(Folder(tools)), std::vector<std::string>{"Readme.txt"});
    EXPECT_EQ(Folder(tools).files.first()->description.view(), "Line one\r\nline two");
    EXPECT_TRUE(HasFlag(Folder(tools).flags, ItemFlags::HasDescriptions));
    EXPECT_EQ(Folder(tools).stored.totalSize, FixedSize::fromBytes(100));

    const Node& zip = *utils.child(1);
    EXPECT_EQ(zip.text(), "Arc.zip");
    EXPECT_TRUE(HasFlag(Folder(zip).flags, ItemFlags::Archive));
    EXPECT_EQ(Folder(zip).stored.totalSize, FixedSize::fromBytes(5000));
    const TFileRec& member = *Folder(zip).files.first();
    EXPECT_EQ(member.name(), "A.txt");
    EXPECT_TRUE(HasFlag(member.flags, ItemFlags::Archive));
    EXPECT_EQ(member.description.view(), "Inside the archive");
    EXPECT_EQ(utils.child(2)->text(), "Pack.arj");
    EXPECT_EQ(Names(Folder(*utils.child(2))), std::vector<std::string>{"B.doc"});
    EXPECT_EQ(utils.child(3)->text(), "More.lzh");
    EXPECT_EQ(Names(Folder(*utils.child(3))), std::vector<std::string>{"C.txt"});
    EXPECT_EQ(disk.volume.fileCount, 5u);
    EXPECT_EQ(disk.volume.folderCount, 4u);

    // A ".." too many at the root closes nothing: the file stays on the disk.
    Node& games = *catalog.child(1);
    EXPECT_EQ(games.child(0)->text(), "Doom");
    EXPECT_EQ(Names(Folder(*games.child(0))), std::vector<std::string>{"Doom.exe"});
    EXPECT_EQ(Names(Disk(games)), std::vector<std::string>{"Setup.exe"});
    EXPECT_EQ(GetItemPath(Disk(games).files.first(), false, false), "\\");
}

TEST(OstrandelImport, MissingAndDamagedFiles) {
    OstrandelDatabase db = Sample();
    db.fil.reset();
    db.cmt.reset();
    Forest forest;
    OstrandelImportResult result = ImportOstrandelDatabase(forest, db);
    EXPECT_TRUE(result.entriesMissing);
    EXPECT_EQ(result.catalog->text(), kOstrandelCatalogName);
    EXPECT_EQ(result.catalog->children().size(), 4u);

    // Every cut of every file, and bytes overwritten with 0xFF (lengths past
    // their fields, unknown attributes): no crash, records only under disks.
    const OstrandelDatabase whole = Sample();
    for (int file = 0; file < 4; ++file) {
        std::vector<std::uint8_t> bytes = file == 0 ? whole.dsk : file == 1 ? *whole.cmt : file == 2 ? *whole.fds : *whole.fil;
        for (std::size_t cut = 0; cut <= bytes.size(); ++cut) {
            for (bool spoil : {false, true}) {
                OstrandelDatabase damaged = whole;
                std::vector<std::uint8_t> part(bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(cut));
                if (spoil && cut > 0) part[cut - 1] = 0xFF;
                (file == 0 ? damaged.dsk : file == 1 ? *damaged.cmt : file == 2 ? *damaged.fds : *damaged.fil) = part;
                Forest f;
                Node& catalog = *ImportOstrandelDatabase(f, damaged).catalog;
                for (const auto& d : catalog.children()) ASSERT_TRUE(RecordAs<TDiskRec>(d->record()));
            }
        }
    }
    EXPECT_TRUE(IsValidOstrandelDiskFile(78));
    EXPECT_FALSE(IsValidOstrandelDiskFile(80));
    EXPECT_EQ(ReadOstrandelDisks(std::vector<std::uint8_t>(80, 0)).size(), 2u);
}

TEST(OstrandelFiles, NamesAndTheDialogsCatalogName) {
    EXPECT_EQ(RecaseOstrandelName("README.TXT"), "Readme.txt");
    EXPECT_EQ(RecaseOstrandelName("readMe.txt"), "ReadMe.txt");
    EXPECT_EQ(RecaseOstrandelName(".."), "..");
    const std::vector<std::uint8_t> cmt = Fixture("SAMPLE.CMT");
    EXPECT_EQ(OstrandelCatalogName(cmt), "Old shelf");
    // Only the first 1024 bytes are looked at.
    const std::string late = std::string(1030, ' ') + std::string(cmt.begin(), cmt.end());
    EXPECT_FALSE(OstrandelCatalogName(std::vector<std::uint8_t>(late.begin(), late.end())));
    // Several lines for one disk: the last one counts; numbers may have leading spaces.
    const std::string lines = "  12  first\r\n0012  second\r\nabcd  bad\r\n";
    const OstComments c = ReadOstrandelComments(std::vector<std::uint8_t>(lines.begin(), lines.end()));
    EXPECT_EQ(c.disks.size(), 1u);
    EXPECT_EQ(c.disks.at(12), "second");
}

}  // namespace
}  // namespace kv
