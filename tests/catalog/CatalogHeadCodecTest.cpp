#include "catalog/file/CatalogHeadCodec.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "CatalogBytes.h"
#include "Encoded.h"
#include "catalog/file/CatalogFormat.h"

namespace kv {
namespace {

using Bytes = std::vector<std::uint8_t>;
using test::CatalogBytes;
using test::encoded;

Bytes emptyCatalog(std::string_view name = "") {
    return encoded([&](BufferedWriter& w) {
        writeCatalogHead(w, name, "");
        writeCategoryBlock(w, {});
    });
}

TEST(CatalogHeadCodec, EmptyCatalogIs18Bytes) {
    const Bytes expected = {'C', 'a', 't', 'a', 'l', 'o', 'g', ' ', '1', '.', '0', '1', 0, 0, 0, 0, 0, 0};
    EXPECT_EQ(emptyCatalog(), expected);
    EXPECT_EQ(emptyCatalog("Music").size(), 18u + 5u);
    EXPECT_EQ(emptyCatalog("Music"), CatalogBytes().head("Music").categoryBlock().bytes());
}

TEST(CatalogHeadCodec, FlagNamesWithoutCategoriesUseCount255) {
    StoredCategories block;
    block.flagNames[1] = "Seen";
    const Bytes expected = {0xFF, 0, 0, 4, 0, 'S', 'e', 'e', 'n', 0, 0};
    EXPECT_EQ(encoded([&](BufferedWriter& w) { writeCategoryBlock(w, block); }), expected);
}

TEST(CatalogHeadCodec, CategoriesAreStoredWithTheirCodes) {
    StoredCategories block{{{"Games", 1}, {"Work", 31}}, {}};
    const Bytes expected = {2, 5, 0, 'G', 'a', 'm', 'e', 's', 1, 4, 0, 'W', 'o', 'r', 'k', 31, 0, 0, 0, 0, 0, 0};
    EXPECT_EQ(encoded([&](BufferedWriter& w) { writeCategoryBlock(w, block); }), expected);
}

TEST(CatalogHeadCodec, CategoryCountByteLimits) {
    StoredCategories block;
    block.categories.assign(254, StoredCategory{"c", 1});
    EXPECT_EQ(encoded([&](BufferedWriter& w) { writeCategoryBlock(w, block); }).front(), 254);
    block.categories.emplace_back(StoredCategory{"c", 1});
    EXPECT_THROW(encoded([&](BufferedWriter& w) { writeCategoryBlock(w, block); }), ECatalogLimit);
}

TEST(CatalogHeadCodec, ReadsEveryCountByteForm) {
    struct Case {
        const char* what;
        Bytes bytes;
        StoredCategories expected;
    } cases[] = {
        {"none", CatalogBytes().u8(0).bytes(), {}},
        {"flag names only", CatalogBytes().u8(255).longText("A").longText("").longText("C").bytes(), {{}, {"A", "", "C"}}},
        {"categories and empty flags", CatalogBytes().u8(1).longText("Games").u8(7).longText("").longText("").longText("").bytes(),
         {{{"Games", 7}}, {}}},
        // A foreign code outside 1..31 is kept as read.
        {"code kept as read", CatalogBytes().u8(1).longText("X").u8(200).longText("").longText("").longText("F").bytes(),
         {{{"X", 200}}, {"", "", "F"}}},
    };
    for (const auto& c : cases) {
        BoundedReader in(c.bytes);
        EXPECT_EQ(readCategoryBlock(in), c.expected) << c.what;
        EXPECT_TRUE(in.atEnd()) << c.what;
    }
}

TEST(CatalogHeadCodec, VersionIsReadButOnly100IsOld) {
    struct Case {
        const char* version;
        bool current;
    } cases[] = {{"1.01", true}, {"1.00", false}, {"9.99", true}};
    for (const auto& c : cases) {
        auto bytes = CatalogBytes().head("Name", "About it", c.version).bytes();
        BoundedReader in(bytes);
        StoredCatalogHead head = readCatalogHead(in);
        EXPECT_EQ(head.version.text(), c.version);
        EXPECT_EQ(head.version.isCurrentFormat(), c.current) << c.version;
        EXPECT_EQ(head.name, "Name");
        EXPECT_EQ(head.description, "About it");
        EXPECT_TRUE(in.atEnd());
    }
}

TEST(CatalogHeadCodec, OnlyTheFirstEightBytesMakeACatalog) {
    // The zero after the version is not checked.
    auto loose = CatalogBytes().raw("Catalog 1.01X").longText("").longText("").bytes();
    BoundedReader ok(loose);
    EXPECT_NO_THROW(readCatalogHead(ok));

    for (std::string start : {"catalog 1.01", "Catalog", "Katalog 1.01", ""}) {
        auto bytes = CatalogBytes().raw(start).u8(0).longText("").longText("").bytes();
        if (start.size() < 8) bytes.resize(start.size());
        BoundedReader in(bytes);
        try {
            readCatalogHead(in);
            ADD_FAILURE() << start;
        } catch (const EInvalidCatalog& e) {
            EXPECT_STREQ(e.what(), "This is not a valid catalog file!");
        }
    }
}

}  // namespace
}  // namespace kv
