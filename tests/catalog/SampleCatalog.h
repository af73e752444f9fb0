#pragma once
// A small catalog with every kind of stored element, built by CatalogBytes:
//   catalog "Sample" with two categories and flag 1 named;
//   disk "Photos" (virtual): root files a.txt, b.txt; folders A(1) with c.dat,
//     A1(2) without files, B(1) (archive folder) with d.dat;
//   disk "Empty": no files, no folders.
#include <cstddef>
#include <vector>

#include "CatalogBytes.h"

namespace kv::test {

struct SampleCatalog {
    CatalogBytes bytes;
    // Positions where a shorter file would still be a whole catalog.
    std::vector<std::size_t> wholeEnds;
    std::vector<std::size_t> sectionStarts;
    std::vector<std::size_t> folderRecords;  // first byte of each, in file order
};

inline SampleCatalog makeSampleCatalog() {
    using W = CatalogBytes::Word;
    SampleCatalog s;
    CatalogBytes& b = s.bytes;
    b.head("Sample", "Two disks").categoryBlock({{"Holidays", 1}, {"Work", 2}}, {"Favourite", "", ""});
    s.wholeEnds.push_back(b.size());

    VolumeData volume;
    volume.mediaType = 5;
    volume.bytesPerSector = 512;
    volume.sectorsPerCluster = 8;
    volume.totalClusters = 1000;
    volume.freeClusters = 100;
    volume.fileCount = 4;
    volume.folderCount = 3;
    volume.catalogued = 40000.5;

    std::size_t sec = b.beginDisk(0xA3);
    s.sectionStarts.push_back(sec);
    b.diskStart({"Photos", volume, "DATA", "NTFS", true, "\\Photos\\", 250, "Holiday pictures"});
    const std::int32_t root = b.offset(sec);
    b.fileRecord("a.txt", {0x20, 1, 2, 3, 100, 0});
    b.fileRecord("b.txt", {0x20, 4, 5, 6, 200, 0x21}, "bee");
    const std::int32_t listA = b.offset(sec);
    b.fileRecord("c.dat", {0x01, 7, 8, 9, 300, 0});
    const std::int32_t listB = b.offset(sec);
    b.fileRecord("d.dat", {0x00, 0xCAFEF00D, 10, 150, 400, 2}, "dee");
    const std::int32_t tree = b.offset(sec);
    s.folderRecords.push_back(b.folderRecord(0x02, 1, "A", {listA, listB - listA, 1, 2, FixedSize::fromBytes(300)}));
    s.folderRecords.push_back(b.folderRecord(0x02, 2, "A1", {-1, -1, 0, 0, FixedSize{}}, "empty"));
    s.folderRecords.push_back(b.folderRecord(0x1A, 1, "B", {listB, tree - listB, 1, 5, FixedSize::fromBytes(400)}));
    const std::int32_t end = b.offset(sec);
    b.word(sec, W::SectionSize, end).word(sec, W::FolderTreeOffset, tree);
    b.word(sec, W::RootListOffset, root).word(sec, W::RootListSize, listA - root);
    b.word(sec, W::RootFileCount, 2).word(sec, W::RootDescriptionBytes, 2 + 5);
    s.wholeEnds.push_back(b.size());

    sec = b.beginDisk(0x23);
    s.sectionStarts.push_back(sec);
    b.diskStart({"Empty", VolumeData{}, "", "FAT", false, "", 0, ""});
    const std::int32_t emptyEnd = b.offset(sec);
    b.word(sec, W::SectionSize, emptyEnd).word(sec, W::FolderTreeOffset, emptyEnd);
    b.word(sec, W::RootListOffset, -1).word(sec, W::RootListSize, -1);
    s.wholeEnds.push_back(b.size());
    return s;
}

}  // namespace kv::test
