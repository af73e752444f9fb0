#include <gtest/gtest.h>

#include <functional>
#include <random>
#include <string>

#include "base/CatalogDate.h"
#include "base/DosDateTime.h"
#include "search/engine/ItemMatch.h"
#include "tests/catalog/ModelFixture.h"

namespace kv {
namespace {

using test::AddFile;

// One file of every kind of value the criteria look at, in catalog "Cat" whose
// categories are Music (code 2) and Work (code 3) and whose flag 1 is "Keep".
struct MatchFixture : test::ModelFixture {
    TFileRec* file = nullptr;
    TFileRec* member = nullptr;
    CatalogContext context;

    MatchFixture() {
        catalogRec().categories = {{"MUSIC", 2}, {"Work", 3}};
        catalogRec().flagNames = {"Keep", "", ""};
        file = &AddFile(folderRec(*a2), "Report.Final.TXT");
        file->stored = {0x21, encodeDosDateTime({2001, 1, 1, 8, 0, 0}), encodeDosDateTime({2004, 3, 3, 10, 30, 0}), 0,
                        3u << 30, CategoryByte::WithUserFlag(2, 1, true)};
        file->description.assign("Hello, World.");
        member = &AddFile(folderRec(*a2), "docs\\readme");
        member->flags |= ItemFlags::Archive;
        member->stored.created = encodeDosDateTime({1999, 1, 1, 0, 0, 0});
    }

    bool Match(const SearchFormValues& v, const TFileRec& f, const CategoryChoice& choice = {}) {
        const TSearchCriteria c = CompileSearchCriteria(v, cp1252CaseMap());
        context = ResolveCatalogContext(catalogRec(), choice, cp1252CaseMap());
        return ItemMatcher(c, cp1252CaseMap()).MatchFileItem(f, context);
    }
};

SearchFormValues ByName(NameMode mode, std::string text, bool caseSensitive = false) {
    SearchFormValues v;
    v.byName = true;
    v.nameMode = mode;
    v.nameText = std::move(text);
    v.nameCaseSensitive = caseSensitive;
    return v;
}

TEST(ItemMatchTest, NameModes) {
    MatchFixture f;
    struct Row {
        SearchFormValues values;
        bool expected;
    };
    const Row rows[] = {
        {ByName(NameMode::Part, "final"), true},
        {ByName(NameMode::Part, "final", true), false},
        {ByName(NameMode::Part, "Final", true), true},
        {ByName(NameMode::Mask, "*.txt"), true},  // backtracks past the first dot
        {ByName(NameMode::Mask, "*.txt", true), true},  // masks ignore case always
        {ByName(NameMode::Mask, "rep?rt*"), true},
        {ByName(NameMode::Mask, "*.doc"), false},
        {ByName(NameMode::Exact, "report.final.txt"), true},
        {ByName(NameMode::Exact, "report.final"), false},
        {ByName(NameMode::Extension, "doc, .txt"), true},
        {ByName(NameMode::Extension, "tx"), false},
        {ByName(NameMode::Extension, "final"), false},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.values.nameText);
        EXPECT_EQ(f.Match(r.values, *f.file), r.expected);
    }
    EXPECT_FALSE(f.Match(ByName(NameMode::Extension, "txt"), *f.member));
}

// The part-of-name search folds names as it goes; it must find what a search
// in an upper-cased copy finds, Windows-1252 letters and case-sensitive searches included.
// The 3 GiB file's stored size is read unsigned: above 2 GB, not negative.
TEST(ItemMatchTest, SizesAboveTwoGigabytesCompareUnsigned) {
    MatchFixture f;
    const struct {
        SizeRelation relation;
        SizeInput size;
        bool match;
    } rows[] = {
        {SizeRelation::Larger, {"2", 3}, true},
        {SizeRelation::Smaller, {"1", 3}, false},
        {SizeRelation::Equal, {"3", 3}, true},
        {SizeRelation::Larger, {"3", 3}, false},
    };
    for (const auto& r : rows) {
        SearchFormValues v;
        v.bySize = true;
        v.sizeRelation = r.relation;
        v.size1 = r.size;
        EXPECT_EQ(f.Match(v, *f.file), r.match) << static_cast<int>(r.relation) << " " << r.size.text << " GB";
    }
}

TEST(ItemMatchTest, PartOfNameAgreesWithASearchInAFoldedCopy) {
    static const char bytes[] = {'a', 'A', 'b', 'B', '.', '\xE9', '\xC9', '\xFF'};
    std::mt19937 rng(11);
    auto text = [&](std::size_t maxLength) {
        std::string s(rng() % (maxLength + 1), ' ');
        for (char& c : s)
            c = bytes[rng() % sizeof bytes];
        return s;
    };
    for (int i = 0; i < 3000; ++i) {
        const bool caseSensitive = i % 3 == 0;
        const SearchFormValues v = ByName(NameMode::Part, text(3), caseSensitive);
        if (v.nameText.empty())
            continue;
        const TSearchCriteria c = CompileSearchCriteria(v, cp1252CaseMap());
        const ItemMatcher m(c, cp1252CaseMap());
        for (int j = 0; j < 20; ++j) {
            const std::string name = text(10);
            const std::string folded = caseSensitive ? name : upperCase(name, cp1252CaseMap());
            const std::string pattern = caseSensitive ? v.nameText : upperCase(v.nameText, cp1252CaseMap());
            ASSERT_EQ(m.NameMatches(name), folded.find(pattern) != std::string::npos) << name << " / " << v.nameText;
        }
    }
}

TEST(ItemMatchTest, AttributesCombineWithTheName) {
    MatchFixture f;
    SearchFormValues v = ByName(NameMode::Part, "nothing");
    v.attributes = {AttrState::Checked, AttrState::Grayed, AttrState::Grayed, AttrState::Unchecked};
    EXPECT_FALSE(f.Match(v, *f.file));  // read-only is set, the name fails
    v.matchAny = true;
    EXPECT_TRUE(f.Match(v, *f.file));  // the archive bit alone passes
    v.attributes[0] = AttrState::Unchecked;
    EXPECT_FALSE(f.Match(v, *f.file));
}

TEST(ItemMatchTest, DescriptionModes) {
    MatchFixture f;
    SearchFormValues v;
    v.byDescription = true;
    v.descriptionText = "hello world";
    EXPECT_TRUE(f.Match(v, *f.file));
    EXPECT_FALSE(f.Match(v, *f.member));
    v.descriptionCaseSensitive = true;
    EXPECT_FALSE(f.Match(v, *f.file));
    v.descriptionMode = DescriptionMode::Any;
    EXPECT_TRUE(f.Match(v, *f.file));
    EXPECT_FALSE(f.Match(v, *f.member));
    v.descriptionMode = DescriptionMode::None;
    EXPECT_FALSE(f.Match(v, *f.file));
    EXPECT_TRUE(f.Match(v, *f.member));
}

TEST(ItemMatchTest, CategoriesAndFlagsResolvedIgnoringCase) {
    MatchFixture f;
    SearchFormValues v;
    v.byCategory = true;
    EXPECT_TRUE(f.Match(v, *f.file, {false, {"Music"}, {}}));  // stored as "MUSIC"
    EXPECT_FALSE(f.Match(v, *f.file, {false, {"Work"}, {}}));
    EXPECT_TRUE(f.Match(v, *f.file, {false, {"Work"}, {"KEEP"}}));
    // No categories listed at all is no error: nothing is checked.
    EXPECT_FALSE(f.Match(v, *f.member, {}));
    // The code, not the whole byte, says "without category".
    f.member->stored.category = CategoryByte::WithUserFlag(0, 2, true);
    EXPECT_TRUE(f.Match(v, *f.member, {true, {}, {}}));
}

TEST(ItemMatchTest, DatesAndTimesSkipNonModifiedFieldsOfArchiveItems) {
    MatchFixture f;
    SearchFormValues v;
    v.byDate = true;
    v.dateField = DateField::Created;
    v.dateRelation = WhenRelation::Before;
    v.date1 = {2000, 1, 1};
    EXPECT_FALSE(f.Match(v, *f.file));
    EXPECT_FALSE(f.Match(v, *f.member));  // skipped: no condition applies at all
    v.byName = true;
    v.nameText = "readme";
    EXPECT_TRUE(f.Match(v, *f.member));  // matches on the name alone

    SearchFormValues t;
    t.byDate = true;
    t.timeField = TimeField::Modified;
    t.timeRelation = WhenRelation::On;
    t.time1 = {10, 30, 0};
    EXPECT_TRUE(f.Match(t, *f.file));
}

// Which date and time fields of archive items are times. A member keeps its CRC
// and packed size in the creation and access slots, so only its modification
// time counts; an archive folder has the archive file's three times and a
// compressed disk its cataloguing time in every field.
TEST(ItemMatchTest, ArchiveItemsCountTheFieldsThatHoldTimes) {
    MatchFixture f;
    f.member->stored.created = 0x2B6A15C1;  // a CRC that reads as 2001-11-10 02:46:02
    f.member->stored.modified = encodeDosDateTime({2004, 3, 3, 10, 30, 0});
    f.member->stored.accessed = 1000;       // packed size: 1980-00-00 00:31:16
    Node& archive = f.folder(*f.a2, "pack.zip");
    TFolderRec& folder = test::ModelFixture::folderRec(archive);
    folder.flags |= ItemFlags::Archive;
    folder.stored.created = encodeDosDateTime({2001, 11, 10, 2, 46, 2});
    folder.stored.modified = encodeDosDateTime({2004, 3, 3, 10, 30, 0});
    folder.stored.accessed = encodeDosDateTime({2001, 11, 10, 0, 31, 16});
    TDiskRec& disk = f.diskRec();
    disk.flags |= ItemFlags::Archive;  // a compressed volume
    disk.volume.catalogued = toCatalogDate({2001, 11, 10, 2, 46, 2});

    enum Item { Member, ArchiveFolder, CompressedDisk };
    struct Row {
        Item item;
        DateField date;
        TimeField time;
        bool alone;     // the criterion alone
        bool withName;  // and a name that matches, all conditions required
    };
    // Every search is for 2001-11-10 at 02:46:02 (or 00:31:16 for access times).
    const Row rows[] = {
        {Member, DateField::Created, TimeField::None, false, true},  // not counted
        {Member, DateField::Accessed, TimeField::None, false, true},
        {Member, DateField::Modified, TimeField::None, false, false},  // counted, another day
        {Member, DateField::None, TimeField::Created, false, true},
        {Member, DateField::None, TimeField::Modified, false, false},
        {ArchiveFolder, DateField::Created, TimeField::None, true, true},
        {ArchiveFolder, DateField::Accessed, TimeField::None, true, true},
        {ArchiveFolder, DateField::Modified, TimeField::None, false, false},
        {ArchiveFolder, DateField::None, TimeField::Created, true, true},
        {CompressedDisk, DateField::Created, TimeField::None, true, true},
        {CompressedDisk, DateField::Accessed, TimeField::None, true, true},
        {CompressedDisk, DateField::None, TimeField::Created, true, true},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(testing::Message() << "item " << r.item << " date " << static_cast<int>(r.date) << " time "
                                        << static_cast<int>(r.time));
        for (const bool withName : {false, true}) {
            SearchFormValues v;
            v.byDate = true;
            v.dateField = r.date;
            v.dateRelation = WhenRelation::On;
            v.date1 = {2001, 11, 10};
            v.timeField = r.time;
            v.timeRelation = WhenRelation::On;
            v.time1 = r.date == DateField::Accessed ? TimeOfDay{0, 31, 16} : TimeOfDay{2, 46, 2};
            v.byName = withName;
            v.nameMode = NameMode::Mask;
            v.nameText = "*";
            const TSearchCriteria c = CompileSearchCriteria(v, cp1252CaseMap());
            const ItemMatcher m(c, cp1252CaseMap());
            const bool matched = r.item == Member          ? m.MatchFileItem(*f.member, {})
                                 : r.item == ArchiveFolder ? m.MatchFolderItem(folder, archive.text(), {})
                                                           : m.MatchDiskItem(disk, "D");
            EXPECT_EQ(matched, withName ? r.withName : r.alone) << (withName ? "with the name" : "alone");
        }
    }
}

TEST(ItemMatchTest, FoldersAndDisks) {
    MatchFixture f;
    TFolderRec& folder = test::ModelFixture::folderRec(*f.a2);
    folder.stored.totalSize = FixedSize::fromBytes(5000);
    SearchFormValues v;
    v.bySize = true;
    v.sizeRelation = SizeRelation::Larger;
    v.size1 = {"4", 1};
    const TSearchCriteria c = CompileSearchCriteria(v, cp1252CaseMap());
    ItemMatcher m(c, cp1252CaseMap());
    EXPECT_TRUE(m.MatchFolderItem(folder, f.a2->text(), {}));

    TDiskRec& disk = f.diskRec();
    disk.volume.bytesPerSector = 512;
    disk.volume.sectorsPerCluster = 8;
    disk.volume.totalClusters = 1;  // 4096 bytes
    EXPECT_FALSE(m.MatchDiskItem(disk, "D"));
    disk.volume.totalClusters = 2;
    EXPECT_TRUE(m.MatchDiskItem(disk, "D"));
}

}  // namespace
}  // namespace kv
