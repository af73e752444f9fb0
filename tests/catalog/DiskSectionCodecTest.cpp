#include "catalog/file/DiskSectionCodec.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "CatalogBytes.h"
#include "Encoded.h"
#include "catalog/file/CatalogFormat.h"
#include "catalog/file/ItemRecordCodec.h"
#include "catalog/file/SectionLayout.h"

namespace kv {
namespace {

using Bytes = std::vector<std::uint8_t>;
using test::CatalogBytes;
using test::encoded;

VolumeData floppy() {
    VolumeData v;
    v.mediaType = 2;
    v.skipFlags = 1;
    v.bytesPerSector = 512;
    v.sectorsPerCluster = 1;
    v.maxNameLength = 255;
    v.fileCount = 2;
    v.folderCount = 0;
    v.totalClusters = 2847;
    v.freeClusters = 1000;
    v.catalogued = 36526.75;
    v.serialNumber = 0x1234ABCD;
    v.reserved2 = 9;
    return v;
}

struct File {
    std::string name;
    StoredFile data;
    std::string description;
};

// A disk whose files all lie in its root: the root list directly follows the
// section start, and the folder tree (empty) starts and ends where it ends.
TEST(DiskSectionCodec, RootFilesOnlySectionIsByteExact) {
    const std::vector<File> rootFiles = {
        {"readme.txt", {0x20, 0x2A3B4C5D, 0x2A3B4C5E, 0x2A3B0000, 1234, 0x21}, ""},
        {"setup.exe", {0x01, 0, 0x2A3B4C5E, 0, 70000, 0}, "Installer"},
    };
    for (std::size_t fileCount : {std::size_t{0}, rootFiles.size()}) {
        const bool hasFiles = fileCount > 0;
        StoredDiskStart disk;
        disk.flags = 0x23;
        disk.name = "Utilities";
        disk.volume = floppy();
        disk.label = "UTILS";
        disk.fileSystem = "FAT";
        disk.description = "Boot floppy";

        const Bytes written = encoded([&](BufferedWriter& w) {
            w.text("before");  // the section need not start at 0
            const std::uint64_t sec = w.position();
            writeDiskStart(w, disk, hasFiles);
            FileListEncoder root(w, sec);
            for (std::size_t i = 0; i < fileCount; ++i)
                root.add({rootFiles[i].name, rootFiles[i].data, rootFiles[i].description});
            const FileListPlacement list = root.finish();
            DiskSectionHeader h;
            h.rootListOffset = list.offset;
            h.rootListSize = list.size;
            h.rootFileCount = list.count;
            h.rootDescriptionBytes = list.descriptionBytes;
            h.folderTreeOffset = sectionOffset(w.position(), sec);
            h.sectionSize = sectionOffset(w.position(), sec);
            patchSectionHeader(w, sec, h);
        });

        CatalogBytes expected;
        expected.raw("before");
        const std::size_t sec = expected.beginDisk(hasFiles ? 0x63 : 0x23);
        expected.diskStart({"Utilities", floppy(), "UTILS", "FAT", false, "", 0, "Boot floppy"});
        const std::int32_t listStart = expected.offset(sec);
        for (std::size_t i = 0; i < fileCount; ++i)
            expected.fileRecord(rootFiles[i].name, rootFiles[i].data, rootFiles[i].description);
        const std::int32_t end = expected.offset(sec);
        using W = CatalogBytes::Word;
        expected.word(sec, W::SectionSize, end).word(sec, W::FolderTreeOffset, end);
        expected.word(sec, W::RootListOffset, hasFiles ? listStart : -1);
        expected.word(sec, W::RootListSize, hasFiles ? end - listStart : -1);
        expected.word(sec, W::RootFileCount, static_cast<std::int32_t>(fileCount));
        expected.word(sec, W::RootDescriptionBytes, hasFiles ? 2 + (2 + 9) : 0);
        EXPECT_EQ(written, expected.bytes()) << fileCount << " files";

        BoundedReader in(written);
        in.skip(6);
        const StoredDiskStart read = readDiskStart(in);
        EXPECT_EQ(read.header.folderTreeOffset, read.header.sectionSize);
        EXPECT_NO_THROW(checkSectionHeader(read.header, in.position() - 6, written.size() - 6));
    }
}

TEST(DiskSectionCodec, VirtualDiskCarriesPathAndOtherClusters) {
    StoredDiskStart disk;
    disk.flags = 0xA3;
    disk.header = {0, 0, 0, 0, 0, 0};  // placeholders, written as given
    disk.name = "Photos";
    disk.volume = floppy();
    disk.label = "DATA";
    disk.fileSystem = "NTFS";
    disk.virtualPath = "\\Photos\\";
    disk.otherClusters = 5000;
    disk.description = "d";
    const Bytes written = encoded([&](BufferedWriter& w) { writeDiskStart(w, disk, false); });
    CatalogBytes expected;
    expected.beginDisk(0xA3);
    expected.diskStart({"Photos", floppy(), "DATA", "NTFS", true, "\\Photos\\", 5000, "d"});
    EXPECT_EQ(written, expected.bytes());

    // Without the 0x80 flag the path is not part of the section.
    disk.flags = 0x23;
    const Bytes plain = encoded([&](BufferedWriter& w) { writeDiskStart(w, disk, false); });
    CatalogBytes expectedPlain;
    expectedPlain.beginDisk(0x23);
    expectedPlain.diskStart({"Photos", floppy(), "DATA", "NTFS", false, "", 0, "d"});
    EXPECT_EQ(plain, expectedPlain.bytes());
}

TEST(DiskSectionCodec, FileBlockBitFollowsTheCaller) {
    struct Case {
        std::uint8_t flags;
        bool fileBlock;
        std::uint8_t stored;
    } cases[] = {{0x23, false, 0x23}, {0x63, false, 0x23}, {0x23, true, 0x63}, {0x5A, false, 0x1A}, {0x0A, true, 0x4A}};
    for (const auto& c : cases) {
        EXPECT_EQ(storedFlags(c.flags, c.fileBlock), c.stored);
        const Bytes bytes = encoded([&](BufferedWriter& w) {
            StoredDiskStart disk;
            disk.flags = c.flags;
            if ((c.flags & 7) == 3)
                writeDiskStart(w, disk, c.fileBlock);
            else
                writeFolderRecord(w, c.flags, c.fileBlock, 1, StoredFolderRecord{});
        });
        EXPECT_EQ(bytes.front(), c.stored);
    }
}

TEST(DiskSectionCodec, FolderDepthMustFitItsByte) {
    StoredFolderRecord folder;
    EXPECT_EQ(encoded([&](BufferedWriter& w) { writeFolderRecord(w, 2, false, 255, folder); })[1], 255);
    for (std::size_t depth : {0, 256, 1000})
        EXPECT_THROW(encoded([&](BufferedWriter& w) { writeFolderRecord(w, 2, false, depth, folder); }), ECatalogLimit)
            << depth;
}

TEST(DiskSectionCodec, OffsetsMustFitAnI32) {
    EXPECT_EQ(storedOffset(0x7FFFFFFF), 0x7FFFFFFF);
    EXPECT_THROW(storedOffset(0x80000000u), ECatalogLimit);
    EXPECT_EQ(sectionOffset(0x80000010u, 0x80000000u), 0x10);
    EXPECT_THROW(sectionOffset(0x90000000u, 0x10000000u), ECatalogLimit);
}

TEST(DiskSectionCodec, SkippingAFolderRecordLandsWhereReadingDoes) {
    StoredFolder data;
    data.fileListOffset = 100;
    CatalogBytes b;
    b.folderRecord(0x02, 3, "Deep folder", data, "with a description");
    b.u8(0x7E);
    BoundedReader reading(b.span()), skipping(b.span());
    EXPECT_EQ(readFolderRecordHead(reading).depth, 3);
    EXPECT_EQ(readFolderRecordBody(reading).name, "Deep folder");
    readFolderRecordHead(skipping);
    skipFolderRecordBody(skipping);
    EXPECT_EQ(skipping.position(), reading.position());
    EXPECT_EQ(skipping.u8(), 0x7E);
}

}  // namespace
}  // namespace kv
