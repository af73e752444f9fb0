// decode(encode(x)) == x for every stored block, and the decoder consumes
// exactly what the encoder wrote.
#include <gtest/gtest.h>

#include <string>
#include <utility>

#include "Encoded.h"
#include "catalog/file/CatalogHeadCodec.h"
#include "catalog/file/DiskSectionCodec.h"
#include "catalog/file/ItemRecordCodec.h"
#include "catalog/file/SectionLayout.h"

namespace kv {
namespace {

using test::encoded;

template <class T, class Encode, class Decode>
void expectRoundTrip(const char* what, const T& value, Encode encode, Decode decode) {
    const auto bytes = encoded([&](BufferedWriter& w) { encode(w, value); });
    BoundedReader in(bytes);
    EXPECT_EQ(decode(in), value) << what;
    EXPECT_TRUE(in.atEnd()) << what;
}

TEST(CatalogCodecRoundTrip, EveryBlock) {
    const std::string longest(4096, 'L');
    const std::string longestName(255, 'N');

    StoredCatalogHead head;
    head.name = "Archive CDs";
    head.description = longest;
    expectRoundTrip("catalog head", head,
                    [](BufferedWriter& w, const StoredCatalogHead& h) { writeCatalogHead(w, h.name, h.description); },
                    readCatalogHead);

    const auto categoryCodec = [](BufferedWriter& w, const StoredCategories& c) { writeCategoryBlock(w, c); };
    expectRoundTrip("no categories", StoredCategories{}, categoryCodec, readCategoryBlock);
    expectRoundTrip("flag names only", StoredCategories{{}, {"", "Seen", ""}}, categoryCodec, readCategoryBlock);
    expectRoundTrip("categories and flags", StoredCategories{{{"Games", 1}, {"", 31}}, {"A", "", "C"}}, categoryCodec,
                    readCategoryBlock);

    const DiskSectionHeader header{123456, 100, 60, 40, 2, 7};
    expectRoundTrip("section header", header, writeSectionHeader, readSectionHeader);

    VolumeData volume;
    volume.mediaType = 15;
    volume.skipFlags = 1;
    volume.reserved[0] = 0xAB;
    volume.reserved[1] = 0xCD;
    volume.bytesPerSector = 2048;
    volume.sectorsPerCluster = 64;
    volume.maxNameLength = 110;
    volume.fileCount = 0xFFFFFFFF;
    volume.archiveMemberCount = 77;
    volume.folderCount = 65535;
    volume.totalClusters = 0x80000001;
    volume.freeClusters = 3;
    volume.catalogued = 45123.987654321;
    volume.serialNumber = 0xDEADBEEF;
    volume.reserved2 = 0xEE;
    expectRoundTrip("volume data", volume, writeVolumeData, readVolumeData);

    const auto diskCodec = [](BufferedWriter& w, const StoredDiskStart& d) {
        writeDiskStart(w, d, (d.flags & ItemFlags::FileBlock) != 0);
    };
    StoredDiskStart disk{0x6B, header, "Disk", volume, std::string_view(longestName).substr(0, 33), "CDFS", "", 0, ""};
    expectRoundTrip("disk start", disk, diskCodec, readDiskStart);
    disk = {0xB3, header, longest, volume, "", "", "\\Pictures\\2001\\", 0xFFFFFFFF, longest};
    expectRoundTrip("virtual disk start", disk, diskCodec, readDiskStart);

    const auto fileCodec = [](BufferedWriter& w, const StoredFileRecord& f) { writeFileRecord(w, f); };
    expectRoundTrip("file record", StoredFileRecord{"x", {0xA7, 0x2A3B4C5D, 0xFFFFFFFF, 1, 0xFFFFFFFF, 0xFF}, ""},
                    fileCodec, readFileRecord);
    expectRoundTrip("file record at its limits", StoredFileRecord{longestName, {}, longest}, fileCodec, readFileRecord);

    using Folder = std::pair<FolderRecordHead, StoredFolderRecord>;
    const auto folderCodec = [](BufferedWriter& w, const Folder& f) {
        writeFolderRecord(w, f.first.flags, (f.first.flags & ItemFlags::FileBlock) != 0, f.first.depth, f.second);
    };
    const auto folderDecode = [](BoundedReader& in) {
        FolderRecordHead h = readFolderRecordHead(in);
        return Folder{h, readFolderRecordBody(in)};
    };
    StoredFolder data{60, 200, 3, 9, FixedSize::fromRaw(-123456789012345), 0x10, 1, 2, 3, 0x5A, 0xE1};
    expectRoundTrip("folder record", Folder{{0x5A, 255}, {longest, data, "about"}}, folderCodec, folderDecode);
    data = StoredFolder{};
    expectRoundTrip("folder record without files", Folder{{0x02, 1}, {"", data, ""}}, folderCodec, folderDecode);
}

}  // namespace
}  // namespace kv
