#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "BrowseFixture.h"
#include "shell/browse/ItemCells.h"
#include "shell/browse/ItemColumns.h"

namespace kv {
namespace {

using test::BrowseFixture;
using test::Dos;

struct CellCase {
    const char* row;
    std::uint8_t kind;
    const char* text;
};

class ItemCellsTest : public ::testing::Test {
protected:
    BrowseFixture f;
    CellContext ctx{nullptr, true, false, f.upRec()};

    const ItemHead* row(std::string_view name) {
        if (name == "a.txt") return f.a;
        if (name == "inner.txt") return f.inner;
        if (name == "root.bin") return f.rootFile;
        if (name == "Docs") return f.docs->record();
        if (name == "b.zip") return f.zip->record();
        if (name == "Sub") return f.sub->record();
        if (name == "CD") return f.cd->record();
        if (name == "Floppy") return f.floppy->record();
        if (name == "Cat") return f.catalog->record();
        if (name == "..") return f.upRec();
        return nullptr;
    }
};

TEST_F(ItemCellsTest, EveryRecordKindByColumnKind) {
    const CellCase cases[] = {
        {"a.txt", 0, "a.txt"},         {"a.txt", 1, "txt"},           {"a.txt", 2, "100 B"},
        {"a.txt", 3, "2020-01-02"},    {"a.txt", 4, "03:04:06"},      {"a.txt", 5, "ra"},
        {"a.txt", 6, "Alpha"},         {"a.txt", 7, "Music"},         {"a.txt", 8, ""},
        {"a.txt", 10, "CD"},           {"a.txt", 11, "CD-ROM"},       {"a.txt", 12, "\\Docs"},
        {"a.txt", 13, ""},             {"root.bin", 2, "1.5 kB"},     {"root.bin", 12, "\\"},
        {"root.bin", 3, ""},           {"root.bin", 4, ""},           {"root.bin", 7, ""},
        {"inner.txt", 10, "CD"},       {"inner.txt", 12, "\\Docs\\b.zip"},
        {"Docs", 0, "Docs"},           {"Docs", 1, ""},               {"Docs", 2, "5.58 GB"},
        {"Docs", 3, "2019-03-04"},     {"Docs", 4, "10:20:30"},       {"Docs", 5, "d"},
        {"Docs", 6, "Documents"},      {"Docs", 7, "Work"},           {"Docs", 10, "CD"},
        {"Docs", 11, "CD-ROM"},        {"Docs", 12, "\\"},            {"b.zip", 1, "zip"},
        {"Sub", 12, "\\Docs"},         {"Sub", 3, ""},
        {"CD", 0, "CD"},               {"CD", 1, "CD-ROM"},           {"CD", 2, "MYCD"},
        {"CD", 3, "4 MB"},             {"CD", 11, "4 MB"},            {"CD", 4, "1 MB"},
        {"CD", 12, "1 MB"},            {"CD", 5, "2020-05-17, 12:30"}, {"CD", 6, "Backup CD"},
        {"CD", 13, "Backup CD"},       {"CD", 10, "Cat"},             {"CD", 7, ""},
        {"Floppy", 5, "2020-05-17"},   {"Floppy", 1, "Floppy 3.5\" DD"}, {"Floppy", 3, "0 B"},
        {"Cat", 0, "Cat"},             {"Cat", 2, "4 MB"},            {"Cat", 10, "2"},
        {"Cat", 1, ""},
    };
    for (const CellCase& c : cases)
        EXPECT_EQ(CellText(row(c.row), c.kind, ctx), c.text) << c.row << " kind " << int(c.kind);
}

TEST_F(ItemCellsTest, UpRowNeverReachesForItsMissingParentOrDisk) {
    auto& up = f.rec(f.up);
    up.stored.modified = Dos(2019, 3, 4, 10, 20, 30);
    up.description = "Back to root of CD";
    up.stored.attributes = 0x10;
    const std::vector<std::string> expected = {"..", "", "", "2019-03-04", "10:20:30", "d", "Back to root of CD",
                                               "", "", "", "", "", "", ""};
    for (std::uint8_t kind = 0; kind <= 13; ++kind)
        EXPECT_EQ(CellText(f.upRec(), kind, ctx), expected[kind]) << int(kind);
}

TEST_F(ItemCellsTest, DamagedAndOrphanRecordsGiveEmptyCells) {
    // Month 13, day 0, hour 25: no date, no time.
    const std::uint32_t bad[] = {(40u << 25) | (13u << 21) | (1u << 16), (40u << 25) | (1u << 21),
                                 (40u << 25) | (1u << 21) | (1u << 16) | (25u << 11)};
    for (std::uint32_t value : bad) {
        f.a->stored.modified = value;
        EXPECT_EQ(CellText(f.a, 3, ctx), "");
        EXPECT_EQ(CellText(f.a, 4, ctx), "");
    }
    // A category code the catalog does not know.
    f.a->stored.category = 7;
    EXPECT_EQ(CellText(f.a, 7, ctx), "");

    FileRecPtr orphan = MakeFileRec("lost.txt");
    for (std::uint8_t kind : {7, 10, 11, 12})
        EXPECT_EQ(CellText(orphan.get(), kind, ctx), "") << int(kind);
    EXPECT_EQ(CellText(nullptr, 0, ctx), "");

    f.disk(f.cd).volume.mediaType = 77;
    EXPECT_EQ(CellText(f.cd->record(), 1, ctx), "Unknown");
}

TEST_F(ItemCellsTest, WholeNumberSizesKeepSixtyFourBits) {
    ctx.formattedSizes = false;
    EXPECT_EQ(CellText(f.docs->record(), 2, ctx), "6,000,000,000");
    f.a->stored.size = 4'000'000'000u;
    EXPECT_EQ(CellText(f.a, 2, ctx), "4,000,000,000");
    // Disk space always goes through units.
    EXPECT_EQ(CellText(f.cd->record(), 3, ctx), "4 MB");
}

TEST_F(ItemCellsTest, ReportGetsTheWholeDescription) {
    f.a->description.assign("line one\r\nline two");
    EXPECT_EQ(CellText(f.a, 6, ctx), "line one (more...)");
    ctx.forReport = true;
    EXPECT_EQ(CellText(f.a, 6, ctx), "line one\r\nline two");
}

TEST_F(ItemCellsTest, FormatsOfTheLocaleAreUsed) {
    CellFormats formats;
    formats.shortDate = [](const DateTime& t) { return std::to_string(t.day) + "." + std::to_string(t.month) + "."; };
    formats.shortTime = [](const DateTime& t) { return std::to_string(t.hour) + "h"; };
    formats.longTime = [](const DateTime& t) { return std::to_string(t.minute) + "m"; };
    formats.wholeNumber = [](std::uint64_t n) { return "#" + std::to_string(n); };
    formats.decimalSeparator = ",";
    ctx.formats = &formats;
    EXPECT_EQ(CellText(f.a, 3, ctx), "2.1.");
    EXPECT_EQ(CellText(f.a, 4, ctx), "4m");
    EXPECT_EQ(CellText(f.cd->record(), 5, ctx), "17.5., 12h");
    EXPECT_EQ(CellText(f.rootFile, 2, ctx), "1,5 kB");
    ctx.formattedSizes = false;
    EXPECT_EQ(CellText(f.rootFile, 2, ctx), "#1536");
}

TEST(ShortDescriptionTest, CutsAtTheFirstLineOrSeventyCharacters) {
    const std::string s70(70, 'x'), s71(71, 'y'), s69(69, 'y');
    const struct {
        std::string in, out;
    } cases[] = {
        {"one\r\ntwo", "one (more...)"},
        {"one\ntwo", "one (more...)"},
        {"one\rtwo", "one (more...)"},
        {"\r\n\r\nfirst\r\nsecond", "first (more...)"},
        {"\r\nonly", "only"},
        {s70, s70},
        {s71, s69 + " (more...)"},
        {s70 + "\r\nmore", std::string(69, 'x') + " (more...)"},
        {"\t lead \x1a\xff\r\nrest", "lead (more...)"},
        {"", ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ShortDescription(c.in), c.out) << c.in;
}

TEST(AttributeLettersTest, LettersInFixedOrder) {
    EXPECT_EQ(AttributeLetters(0x37), "drhsa");
    EXPECT_EQ(AttributeLetters(0x21), "ra");
    EXPECT_EQ(AttributeLetters(0xC0), "");
}

TEST_F(ItemCellsTest, SearchAndUserListsTranslateColumnsPerRecordKind) {
    const ItemHead* disk = f.cd->record();
    auto cell = [&](ItemListKind list, int column, const ItemHead* rec) {
        const std::uint8_t kind = TranslateColumn(list, column, rec);
        return kind == ColumnKind::Empty ? std::string("<none>") : CellText(rec, kind, ctx);
    };
    // Search list: a disk row.
    EXPECT_EQ(cell(ItemListKind::SearchResults, 2, disk), "4 MB");                // Item Size
    EXPECT_EQ(cell(ItemListKind::SearchResults, 3, disk), "2020-05-17, 12:30");   // Item Date
    EXPECT_EQ(cell(ItemListKind::SearchResults, 1, disk), "<none>");              // Ext
    EXPECT_EQ(cell(ItemListKind::SearchResults, 7, disk), "Cat");                 // Location
    EXPECT_EQ(cell(ItemListKind::SearchResults, 6, disk), "CD-ROM");              // Media Type
    // User list: a file row.
    EXPECT_EQ(cell(ItemListKind::UserList, 4, f.a), "CD");                        // Location
    EXPECT_EQ(cell(ItemListKind::UserList, 6, f.a), "\\Docs");                    // Folder
    EXPECT_EQ(cell(ItemListKind::UserList, 6, disk), "<none>");
    EXPECT_EQ(cell(ItemListKind::UserList, 99, f.a), "<none>");
    EXPECT_EQ(cell(ItemListKind::Main, 14, f.a), "<none>");
    EXPECT_EQ(SearchListColumns().size(), 10u);
    EXPECT_EQ(UserListColumns().size(), 9u);
}

}  // namespace
}  // namespace kv
