#include <gtest/gtest.h>

#include <atomic>
#include <string>
#include <vector>

#include "BrowseFixture.h"
#include "shell/browse/ItemComparer.h"
#include "shell/browse/ItemSort.h"

namespace kv {
namespace {

using test::BrowseFixture;
using test::Dos;

std::string Names(const ItemList& list) {
    std::string out;
    for (const ItemHead* rec : list)
        out += (out.empty() ? "" : " ") + std::string(ItemName(rec));
    return out;
}

class ItemComparerTest : public ::testing::Test {
protected:
    BrowseFixture f;
    SortParams params;

    ItemComparerTest() { params.upRecord = f.upRec(); }

    std::string sorted(ItemList list) {
        std::atomic<bool> cancel{false};
        EXPECT_TRUE(SortListWithCancel(list, ItemComparer(params), cancel));
        return Names(list);
    }

    ItemList docsRows() {
        return {f.c, f.zip->record(), f.a, f.upRec(), f.sub->record()};
    }

    int cmp(const ItemHead* a, const ItemHead* b) { return CompareItems(a, b, params); }
};

TEST_F(ItemComparerTest, UpRowStaysFirstAndReversedListsPutFilesFirst) {
    params.archivesAsFiles = false;
    EXPECT_EQ(sorted(docsRows()), ".. b.zip Sub a.txt c.txt");
    params.reverse = true;
    EXPECT_EQ(sorted(docsRows()), ".. c.txt a.txt Sub b.zip");
}

TEST_F(ItemComparerTest, ArchivesSortAmongTheFilesUnlessSetOtherwise) {
    params.column = 0;
    EXPECT_EQ(sorted(docsRows()), ".. Sub a.txt b.zip c.txt");
    // Sizes: a 100, the archive's total 150, c 200.
    params.column = 2;
    EXPECT_EQ(sorted(docsRows()), ".. Sub a.txt b.zip c.txt");
    f.rec(f.zip).stored.totalSize = FixedSize::fromBytes(250);
    EXPECT_EQ(sorted(docsRows()), ".. Sub a.txt c.txt b.zip");
    // Dates as numbers: the archive of 2018 between c (2017) and a (2020).
    params.column = 3;
    EXPECT_EQ(sorted(docsRows()), ".. Sub c.txt b.zip a.txt");
    // The archive rule is antisymmetric.
    EXPECT_EQ(cmp(f.a, f.zip->record()), -cmp(f.zip->record(), f.a));
    params.archivesAsFiles = false;
    params.column = 0;
    EXPECT_EQ(sorted(docsRows()), ".. b.zip Sub a.txt c.txt");
}

TEST_F(ItemComparerTest, EveryFileColumnInBothDirections) {
    auto& a = *f.a;
    auto& c = *f.c;
    // a.txt: 100 B, 2020-01-02 03:04:06, attributes 0x21, "Alpha", category 1.
    // c.txt: 200 B, 2017-06-07 23:00:00, attributes 0x20, no description, none.
    const struct {
        std::uint8_t column;
        int expected;  // sign of a against c
    } cases[] = {{0, -1}, {1, -1}, {2, -1}, {3, 1}, {4, -1}, {5, 1}, {6, 1}, {7, 1}, {8, 0}, {9, 0},
                 {10, 0}, {11, 0}, {12, 0}, {13, 0}};
    for (const auto& tc : cases) {
        params.column = tc.column;
        params.reverse = false;
        const int forward = cmp(&a, &c);
        EXPECT_EQ((forward > 0) - (forward < 0), tc.expected) << int(tc.column);
        EXPECT_EQ(cmp(&a, &a), 0) << int(tc.column);
        params.reverse = true;
        const int backward = cmp(&a, &c);
        EXPECT_EQ((backward > 0) - (backward < 0), -tc.expected) << int(tc.column);
    }
}

TEST_F(ItemComparerTest, DiskColumnsCompareTheirOwnFields) {
    const ItemHead* cd = f.cd->record();      // CD-ROM (10), 4 MB, 1 MB free, 12:30
    const ItemHead* fl = f.floppy->record();  // 3.5" DD (2), empty, same day at midnight
    const struct {
        std::uint8_t column;
        int expected;
    } cases[] = {{0, -1}, {1, 1}, {2, 1}, {3, 1}, {4, 1}, {5, 1}, {6, 1}, {7, 0}, {10, 0}, {13, 0}};
    for (const auto& tc : cases) {
        params.column = tc.column;
        const int r = cmp(cd, fl);
        EXPECT_EQ((r > 0) - (r < 0), tc.expected) << int(tc.column);
    }
    // Catalogs come before disks from either side, and equal one another.
    EXPECT_LT(cmp(f.catalog->record(), cd), 0);
    EXPECT_GT(cmp(cd, f.catalog->record()), 0);
}

TEST_F(ItemComparerTest, NamesIgnoreCaseDescriptionsFoldOnlyAsciiLetters) {
    f.c->description.assign("");
    auto readme = MakeFileRec("README.TXT");
    auto lower = MakeFileRec("readme.txt");
    EXPECT_EQ(cmp(readme.get(), lower.get()), 0);

    params.column = 6;
    readme->description.assign("abc");
    lower->description.assign("ABC");
    EXPECT_EQ(cmp(readme.get(), lower.get()), 0);
    readme->description.assign("\xe9");  // e acute stays apart from its capital
    lower->description.assign("\xc9");
    EXPECT_GT(cmp(readme.get(), lower.get()), 0);
    // No description equals an empty one.
    readme->description.reset();
    lower->description.assign("");
    EXPECT_EQ(cmp(readme.get(), lower.get()), 0);
}

TEST_F(ItemComparerTest, TimesIgnoreDatesAndDamagedDatesCompareEqual) {
    params.column = 4;
    f.a->stored.modified = Dos(2030, 1, 1, 9, 0, 0);
    f.c->stored.modified = Dos(1990, 1, 1, 10, 0, 0);
    EXPECT_LT(cmp(f.a, f.c), 0);
    f.c->stored.modified = (40u << 25) | (13u << 21) | (1u << 16);  // month 13
    EXPECT_EQ(cmp(f.a, f.c), 0);
    params.column = 3;
    EXPECT_NE(cmp(f.a, f.c), 0);
}

TEST_F(ItemComparerTest, SearchAndUserListsTranslatePerRecord) {
    // "Item Size": files by size, disks by capacity.
    params.column = 2;
    for (ItemListKind list : {ItemListKind::SearchResults, ItemListKind::UserList}) {
        params.list = list;
        EXPECT_LT(cmp(f.a, f.c), 0);
        EXPECT_GT(cmp(f.cd->record(), f.floppy->record()), 0);
    }
    // "Item Time" has no cell for disks: equal.
    params.list = ItemListKind::SearchResults;
    params.column = 4;
    EXPECT_EQ(cmp(f.cd->record(), f.floppy->record()), 0);
}

TEST_F(ItemComparerTest, NullEntriesSortLast) {
    EXPECT_EQ(sorted({nullptr, f.c, nullptr, f.a}), "a.txt c.txt  ");
    params.column = 0;
    ItemList list{nullptr, f.c, f.a};
    std::atomic<bool> cancel{false};
    SortListWithCancel(list, ItemComparer(params), cancel);
    EXPECT_EQ(list.back(), nullptr);
}

}  // namespace
}  // namespace kv

namespace kv {
namespace {

// Counts the texts it is asked for, to show that keys are made once per text.
class CountingCollator : public CaseMapCollator {
public:
    mutable int keys = 0;
    std::string sortKey(std::string_view text) const override {
        ++keys;
        return CaseMapCollator::sortKey(text);
    }
};

class NoKeys : public TextCollator {
public:
    int compare(std::string_view a, std::string_view b) const override { return a.compare(b); }
};

TEST(SortKeyCollatorTest, KeysOrderAsTheCollatorAndAreMadeOncePerText) {
    const std::vector<std::string> texts = {"", "a", "A", "ab", "Ab", "b", "a b", "a-b", "Z", "z1", "\xe9t\xe9",
                                            "\xc9T\xc9", "~", "0", "10", "9", "abc", "ABD"};
    CountingCollator base;
    SortKeyCollator keyed(base);
    for (const std::string& a : texts)
        for (const std::string& b : texts) {
            const int expected = base.compare(a, b);
            const int got = keyed.compare(a, b);
            EXPECT_EQ((got > 0) - (got < 0), (expected > 0) - (expected < 0)) << a << " / " << b;
        }
    EXPECT_EQ(base.keys, static_cast<int>(texts.size()));

    // A collator without keys is asked directly.
    NoKeys plain;
    SortKeyCollator passThrough(plain);
    EXPECT_LT(passThrough.compare("B", "a"), 0);
}

TEST_F(ItemComparerTest, KeyedSortGivesTheSameOrder) {
    // Many names that differ in case and by punctuation, sorted both ways.
    std::vector<FileRecPtr> files;
    ItemList rows;
    const char* names[] = {"Readme.txt", "readme.TXT", "a-b.doc", "ab.doc", "A B.doc", "zeta", "Zeta1", "x.zip",
                           "X.ZIP",      "10.txt",     "9.txt",   "_x",     "~y",      "",     "b",     "B"};
    for (int round = 0; round < 8; ++round)
        for (const char* name : names) {
            files.push_back(MakeFileRec(std::string(name) + (round % 2 ? "" : std::to_string(round))));
            rows.push_back(files.back().get());
        }
    for (std::uint8_t column : {0, 1}) {
        params.column = column;
        const std::string plain = sorted(rows);
        CaseMapCollator base;
        SortKeyCollator keyed(base);
        params.collator = &keyed;
        EXPECT_EQ(sorted(rows), plain) << int(column);
        params.collator = nullptr;
    }
}

}  // namespace
}  // namespace kv
