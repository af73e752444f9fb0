#include <gtest/gtest.h>

#include <limits>

#include "base/DosDateTime.h"
#include "search/engine/SearchCriteria.h"

namespace kv {
namespace {

std::int64_t Dos(int y, int mo, int d, int h = 0, int mi = 0, int s = 0) {
    return encodeDosDateTime(DateTime{y, mo, d, h, mi, s});
}

TEST(SizeToBytesTest, UnitsFractionsAndSaturation) {
    struct Row {
        const char* text;
        int unit;
        std::uint64_t bytes;
        const char* shown;
        int shownUnit;
    };
    const Row rows[] = {
        {"1.5", 2, 1536ull * 1024, "1536", 1},
        {"0", 3, 0, "0", 3},
        {"10.9", 0, 10, "10", 0},
        {"2,5", 1, 2560, "2560", 0},  // decimal comma
        {"999999999", 3, 999999999ull << 30, "999999999", 3},
        // The 32-bit shift wrapped to a larger value here and went unnoticed.
        {"5000000", 1, 5000000ull * 1024, "5000000", 1},
        {"abc", 1, 0, "0", 1},
        {"999999999", 4, static_cast<std::uint64_t>(std::numeric_limits<std::int64_t>::max()), "999999999", 4},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.text);
        const SizeInBytes s = SizeToBytes(r.text, r.unit);
        EXPECT_EQ(s.bytes, r.bytes);
        EXPECT_EQ(s.text, r.shown);
        EXPECT_EQ(s.unit, r.shownUnit);
    }
}

TEST(ExtensionListTest, NormalisedPieces) {
    EXPECT_EQ(NormalizeExtensionList("*.TXT, .doc ,bak"), "TXT,doc,bak");
    EXPECT_EQ(NormalizeExtensionList("tar.gz"), "gz");
    EXPECT_EQ(NormalizeExtensionList(",, txt ,"), "txt");
    EXPECT_EQ(NormalizeExtensionList("   "), "");
}

TEST(CompileSearchCriteriaTest, ExtensionsAreNormalisedAtFindToo) {
    SearchFormValues v;
    v.byName = true;
    v.nameMode = NameMode::Extension;
    v.nameText = "txt, doc";
    const TSearchCriteria c = CompileSearchCriteria(v, cp1252CaseMap());
    EXPECT_EQ(c.namePattern, std::string(".TXT\x01.DOC\x01"));
    EXPECT_TRUE(c.matchable);
}

TEST(CompileSearchCriteriaTest, MarksAndDescriptionOnly) {
    SearchFormValues v;
    EXPECT_FALSE(CompileSearchCriteria(v).matchable);

    v.byDescription = true;
    v.descriptionText = " ,. ";  // nothing left after stripping: no criterion
    EXPECT_FALSE(CompileSearchCriteria(v).matchable);

    v.descriptionText = "hello world.";
    TSearchCriteria c = CompileSearchCriteria(v, cp1252CaseMap());
    EXPECT_EQ(c.descriptionText, "HELLOWORLD");
    EXPECT_TRUE(c.descriptionOnly);

    v.byCategory = true;
    c = CompileSearchCriteria(v);
    EXPECT_FALSE(c.descriptionOnly);
    EXPECT_TRUE(c.matchable);
}

TEST(CompileSearchCriteriaTest, SizeBoundsWithToleranceAndSwap) {
    SearchFormValues v;
    v.bySize = true;
    v.sizeRelation = SizeRelation::Smaller;
    v.size1 = {"1", 1};
    v.sizeAllowTolerance = true;
    v.sizeTolerance = {"100", 0};
    TSearchCriteria c = CompileSearchCriteria(v);
    EXPECT_TRUE(c.size.Passes(1123));
    EXPECT_FALSE(c.size.Passes(1124));

    v.sizeRelation = SizeRelation::Between;
    v.sizeAllowTolerance = false;
    v.size1 = {"10", 2};
    v.size2 = {"1", 2};  // reversed: swapped at Find
    c = CompileSearchCriteria(v);
    EXPECT_TRUE(c.size.Passes(5 << 20));
    EXPECT_FALSE(c.size.Passes(11 << 20));

    v.sizeRelation = SizeRelation::Larger;
    v.size1 = {"1", 3};
    c = CompileSearchCriteria(v);
    EXPECT_TRUE(c.size.Passes(3ll << 30));  // a 3 GB file is larger, not negative
}

TEST(CompileSearchCriteriaTest, DateRangesCoverWholeDays) {
    SearchFormValues v;
    v.byDate = true;
    v.dateField = DateField::Modified;
    v.dateRelation = WhenRelation::On;
    v.date1 = {2004, 3, 3};
    TSearchCriteria c = CompileSearchCriteria(v);
    EXPECT_TRUE(c.date.Passes(Dos(2004, 3, 3, 0, 0, 0)));
    EXPECT_TRUE(c.date.Passes(Dos(2004, 3, 3, 23, 59, 58)));
    EXPECT_FALSE(c.date.Passes(Dos(2004, 3, 4)));
    EXPECT_FALSE(c.date.Passes(Dos(2004, 3, 2, 23, 59, 58)));

    // Tolerance crosses the month end in calendar days (2004 is a leap year).
    v.dateAllowTolerance = true;
    v.dateToleranceDays = 5;
    c = CompileSearchCriteria(v);
    EXPECT_TRUE(c.date.Passes(Dos(2004, 2, 27, 12)));
    EXPECT_FALSE(c.date.Passes(Dos(2004, 2, 26, 23)));
    EXPECT_TRUE(c.date.Passes(Dos(2004, 3, 8, 23)));
    EXPECT_FALSE(c.date.Passes(Dos(2004, 3, 9)));

    v.dateAllowTolerance = false;
    v.dateRelation = WhenRelation::Between;
    v.date1 = {2005, 1, 10};
    v.date2 = {2005, 1, 1};  // reversed: swapped at Find
    c = CompileSearchCriteria(v);
    EXPECT_TRUE(c.date.Passes(Dos(2005, 1, 10, 18)));
    EXPECT_FALSE(c.date.Passes(Dos(2004, 12, 31, 18)));

    v.dateRelation = WhenRelation::Before;
    v.date1 = {2050, 1, 1};  // above the signed 32-bit range of DOS values
    c = CompileSearchCriteria(v);
    EXPECT_TRUE(c.date.Passes(Dos(2049, 12, 31)));
    EXPECT_FALSE(c.date.Passes(Dos(2050, 1, 1, 1)));

    v.dateRelation = WhenRelation::After;
    v.date1 = {2110, 1, 1};  // past what DOS dates hold: nothing is after it
    c = CompileSearchCriteria(v);
    EXPECT_FALSE(c.date.Passes(Dos(2107, 12, 31, 23, 59, 58)));
}

TEST(CompileSearchCriteriaTest, TimesCompareWholeSeconds) {
    SearchFormValues v;
    v.byDate = true;
    v.timeField = TimeField::Modified;
    v.timeRelation = WhenRelation::On;
    v.time1 = {10, 30, 1};  // odd second: DOS times hold even ones
    TSearchCriteria c = CompileSearchCriteria(v);
    EXPECT_TRUE(c.time.Passes(10 * 3600 + 30 * 60));
    EXPECT_FALSE(c.time.Passes(10 * 3600 + 30 * 60 + 2));

    v.timeRelation = WhenRelation::After;
    v.timeAllowTolerance = true;
    v.timeToleranceMinutes = 10;
    c = CompileSearchCriteria(v);
    EXPECT_TRUE(c.time.Passes(10 * 3600 + 21 * 60));
    EXPECT_FALSE(c.time.Passes(10 * 3600 + 20 * 60));
}

}  // namespace
}  // namespace kv
