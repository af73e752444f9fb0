// Damaged and cut-short catalog bytes: every fault is a kv::Error with the
// reader's message, never a read outside the data.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "CatalogBytes.h"
#include "SampleCatalog.h"
#include "catalog/file/CatalogFormat.h"
#include "catalog/file/CatalogHeadCodec.h"
#include "catalog/file/DiskSectionCodec.h"
#include "catalog/file/ItemRecordCodec.h"
#include "catalog/file/SectionLayout.h"

namespace kv {
namespace {

using test::CatalogBytes;
using test::makeSampleCatalog;

struct Walked {
    int disks = 0;
    int files = 0;
    int folders = 0;
    std::vector<std::string> names;  // disks, files and the folders that were read, not skipped
};

// Decodes a whole catalog the way the reader walks it, trusting the stored words
// only as far as the decoders do: every read is bounded by the data.
Walked walkCatalog(std::span<const std::uint8_t> bytes) {
    BoundedReader in(bytes);
    Walked w;
    readCatalogHead(in);
    readCategoryBlock(in);
    while (!in.atEnd()) {
        const std::size_t sec = in.position();
        const StoredDiskStart disk = readDiskStart(in);
        ++w.disks;
        w.names.emplace_back(disk.name);
        const std::size_t tree = sec + static_cast<std::size_t>(disk.header.folderTreeOffset);
        const std::size_t end = sec + static_cast<std::size_t>(disk.header.sectionSize);
        while (in.position() < tree) {
            w.names.emplace_back(readFileRecord(in).name);
            ++w.files;
        }
        while (in.position() < end) {
            ++w.folders;
            if (readFolderRecordHead(in).depth > 1)
                skipFolderRecordBody(in);
            else
                w.names.emplace_back(readFolderRecordBody(in).name);
        }
    }
    return w;
}

TEST(CatalogCodecDamage, SampleCatalogWalksWhole) {
    const auto sample = makeSampleCatalog();
    const Walked w = walkCatalog(sample.bytes.span());
    EXPECT_EQ(w.disks, 2);
    EXPECT_EQ(w.files, 4);
    EXPECT_EQ(w.folders, 3);
    const std::vector<std::string> names = {"Photos", "a.txt", "b.txt", "c.dat", "d.dat", "A", "B", "Empty"};
    EXPECT_EQ(w.names, names);
}

TEST(CatalogCodecDamage, TruncationAnywhereIsReportedNotOverrun) {
    const auto sample = makeSampleCatalog();
    const auto& full = sample.bytes.bytes();
    for (std::size_t n = 0; n < full.size(); ++n) {
        // A private copy, so ASan sees any read past the cut.
        const std::vector<std::uint8_t> cut(full.begin(), full.begin() + static_cast<std::ptrdiff_t>(n));
        const bool whole = std::find(sample.wholeEnds.begin(), sample.wholeEnds.end(), n) != sample.wholeEnds.end();
        if (whole) {
            EXPECT_NO_THROW(walkCatalog(cut)) << n;
        } else if (n < 8) {
            EXPECT_THROW(walkCatalog(cut), EInvalidCatalog) << n;
        } else {
            EXPECT_THROW(walkCatalog(cut), ETruncated) << n;
        }
    }
}

TEST(CatalogCodecDamage, DamagedFieldsGiveTheReadersMessages) {
    const auto sample = makeSampleCatalog();
    const std::size_t photos = sample.sectionStarts[0];
    const std::size_t empty = sample.sectionStarts[1];
    const std::size_t folderA = sample.folderRecords[0];
    const std::size_t folderA1 = sample.folderRecords[1];
    struct Case {
        const char* what;
        std::function<void(CatalogBytes&)> damage;
        const char* message;
    } cases[] = {
        {"signature", [](CatalogBytes& b) { b.patchU8(0, 'c'); }, "This is not a valid catalog file!"},
        {"disk kind 2", [&](CatalogBytes& b) { b.patchU8(empty, 0x22); }, "Internal catalog structure error detected."},
        {"disk kind 4", [&](CatalogBytes& b) { b.patchU8(photos, 0xA4); }, "Internal catalog structure error detected."},
        {"folder kind 3", [&](CatalogBytes& b) { b.patchU8(folderA, 0x03); }, "Internal catalog structure error detected."},
        {"skipped folder kind 1", [&](CatalogBytes& b) { b.patchU8(folderA1, 0x01); },
         "Internal catalog structure error detected."},
        {"catalog name count 4097", [](CatalogBytes& b) { b.patchU8(13, 0x01).patchU8(14, 0x10); }, "String data too long!"},
        // The skipped folder's name: skipping checks the count as reading does.
        {"skipped name count 0xFFFF", [&](CatalogBytes& b) { b.patchU8(folderA1 + 2, 0xFF).patchU8(folderA1 + 3, 0xFF); },
         "String data too long!"},
    };
    for (const auto& c : cases) {
        auto damaged = makeSampleCatalog().bytes;
        c.damage(damaged);
        try {
            walkCatalog(damaged.span());
            ADD_FAILURE() << c.what << ": no error";
        } catch (const EInvalidCatalog& e) {
            EXPECT_STREQ(e.what(), c.message) << c.what;
        }
    }
}

TEST(CatalogCodecDamage, StoredWordsAreCheckedBeforeUse) {
    DiskSectionHeader good;
    good.sectionSize = 400;
    good.folderTreeOffset = 300;
    good.rootListOffset = 100;
    good.rootListSize = 50;
    good.rootFileCount = 2;
    good.rootDescriptionBytes = 10;
    const std::uint64_t start = 100, available = 400;
    EXPECT_NO_THROW(checkSectionHeader(good, start, available));

    struct Case {
        const char* what;
        std::function<void(DiskSectionHeader&)> change;
        bool fine;
    } cases[] = {
        {"no root files", [](DiskSectionHeader& h) { h.rootListOffset = h.rootListSize = -1; }, true},
        {"no root files, stale size and counts", [](DiskSectionHeader& h) { h.rootListOffset = -1; }, true},
        {"no folders", [](DiskSectionHeader& h) { h.folderTreeOffset = h.sectionSize; }, true},
        {"empty list at an offset", [](DiskSectionHeader& h) { h.rootListSize = 0, h.rootFileCount = 0, h.rootDescriptionBytes = 0; }, true},
        {"section size 0", [](DiskSectionHeader& h) { h.sectionSize = 0; }, false},
        {"negative section size", [](DiskSectionHeader& h) { h.sectionSize = -5; }, false},
        {"section past the file", [](DiskSectionHeader& h) { h.sectionSize = 401; }, false},
        {"folder tree inside the start", [](DiskSectionHeader& h) { h.folderTreeOffset = 99; }, false},
        {"folder tree past the section", [](DiskSectionHeader& h) { h.folderTreeOffset = 401; }, false},
        {"root list inside the start", [](DiskSectionHeader& h) { h.rootListOffset = 60; }, false},
        {"root list into the folder tree", [](DiskSectionHeader& h) { h.rootListSize = 201; }, false},
        {"negative list size", [](DiskSectionHeader& h) { h.rootListSize = -2; }, false},
        {"more files than the bytes hold", [](DiskSectionHeader& h) { h.rootFileCount = 3; }, false},
        {"huge count", [](DiskSectionHeader& h) { h.rootFileCount = 0xFFFFFFFF; }, false},
        {"description bytes below 2 per file", [](DiskSectionHeader& h) { h.rootDescriptionBytes = 3; }, false},
        {"description bytes past the list", [](DiskSectionHeader& h) { h.rootDescriptionBytes = 0xFFFFFFF0; }, false},
    };
    for (const auto& c : cases) {
        DiskSectionHeader h = good;
        c.change(h);
        if (c.fine) {
            EXPECT_NO_THROW(checkSectionHeader(h, start, available)) << c.what;
        } else {
            try {
                checkSectionHeader(h, start, available);
                ADD_FAILURE() << c.what << ": accepted";
            } catch (const EInvalidCatalog& e) {
                EXPECT_STREQ(e.what(), "Internal catalog structure error detected.") << c.what;
            }
        }
    }
}

}  // namespace
}  // namespace kv
