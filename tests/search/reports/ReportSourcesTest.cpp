#include <gtest/gtest.h>

#include "ReportFixture.h"
#include "search/reports/ReportSources.h"

namespace kv {
namespace {

TEST(ReportSources, TheOriginPicksTheSourceItCanReport) {
    ReportWindowFacts none;
    ReportWindowFacts search;
    search.searchWindow = search.searchHasItems = true;
    ReportWindowFacts searching = search;
    searching.searching = true;
    ReportWindowFacts emptyUsers;
    emptyUsers.userListWindow = true;
    ReportWindowFacts users = emptyUsers;
    users.userListHasItems = true;
    ReportWindowFacts compare;
    compare.compareWindow = true;
    ReportWindowFacts check = compare;
    check.compareCheckMode = true;
    struct Case {
        const char* name;
        ReportOrigin origin;
        ReportWindowFacts facts;
        int source;
    };
    const Case cases[] = {
        {"main window", ReportOrigin::MainWindow, search, kSourceCatalog},
        {"search results", ReportOrigin::SearchWindow, search, kSourceSearch},
        {"search still running", ReportOrigin::SearchWindow, searching, kSourceCatalog},
        {"no search window", ReportOrigin::SearchWindow, none, kSourceCatalog},
        {"user list", ReportOrigin::UserList, users, kSourceUser},
        {"empty user list", ReportOrigin::UserList, emptyUsers, kSourceCatalog},
        {"compare to media", ReportOrigin::CompareWindow, compare, kSourceCompareMedia},
        {"file check", ReportOrigin::CompareWindow, check, kSourceCheckFiles},
        {"compare window gone", ReportOrigin::CompareWindow, none, kSourceCatalog},
    };
    for (const Case& c : cases)
        EXPECT_EQ(InitialReportSource(c.origin, c.facts), c.source) << c.name;

    EXPECT_TRUE(ReportSourceEnabled(kSourceCompareMedia, compare));
    EXPECT_FALSE(ReportSourceEnabled(kSourceCheckFiles, compare));
    EXPECT_TRUE(ReportSourceEnabled(kSourceCheckFiles, check));
    EXPECT_FALSE(ReportSourceEnabled(kSourceCompareMedia, check));
    EXPECT_FALSE(ReportSourceEnabled(kSourceSearch, searching));
    EXPECT_TRUE(ReportSourceEnabled(kSourceCatalog, none));
}

TEST(ReportSources, SortingBySourceNeedsCatalogItems) {
    ReportWindowFacts f;
    f.compareWindow = true;
    EXPECT_FALSE(SortingAllowed(kSourceCatalog, f));
    EXPECT_TRUE(SortingAllowed(kSourceSearch, f));
    EXPECT_TRUE(SortingAllowed(kSourceCustom, f));
    for (int category = 0; category <= 3; ++category) {
        f.compareCategory = category;
        EXPECT_EQ(SortingAllowed(kSourceCompareMedia, f), category > 0) << category;
        EXPECT_EQ(SortingAllowed(kSourceCheckFiles, f), category > 0) << category;
    }
}

TEST(ReportSources, TitlesNameTheSource) {
    Forest forest;
    Node& home = test::ModelOf(forest, test::HomeCatalog());
    Node& cd = *home.child(0);
    ReportWindowFacts f;
    f.compareCategoryName = "Changed files";
    EXPECT_EQ(DefaultReportTitle(kSourceCatalog, f, &home), "Catalog \"Home\"");
    EXPECT_EQ(DefaultReportTitle(kSourceCatalog, f, &cd), "CD-ROM 17");
    EXPECT_EQ(DefaultReportTitle(kSourceCatalog, f, cd.child(0)), "Contents of folder \"Photos, 2004\"");
    EXPECT_EQ(DefaultReportTitle(kSourceCatalog, f, cd.child(2)), "Contents of file \"tools.zip\"");
    EXPECT_EQ(DefaultReportTitle(kSourceCatalog, f, nullptr), "");
    EXPECT_EQ(DefaultReportTitle(kSourceSearch, f, &home), "Search Results");
    EXPECT_EQ(DefaultReportTitle(kSourceUser, f, &home), "User List Contents");
    EXPECT_EQ(DefaultReportTitle(kSourceCompareMedia, f, &home), "Compare To Media Results: Changed files");
    EXPECT_EQ(DefaultReportTitle(kSourceCheckFiles, f, &home), "Compare Files to Catalog Results: Changed files");
    EXPECT_EQ(DefaultReportTitle(kSourceCustom, f, &home), "Custom Report");
}

TEST(ReportSources, CopyFromListTakesTheDisplayOrderAndHiddenColumns) {
    ReportColumnRow row = DefaultReportColumns()[0];
    row[7] = -8;
    // Five columns shown as 2, 0, 4, 3, 1; column 3 (the fourth) has no width.
    const int order[] = {1, 0, 3, 2, 4};
    const int widths[] = {100, 80, 60, 0, 40};
    const ReportColumnRow copied = CopyColumnsFromList(row, order, widths);
    const std::int8_t expected[] = {2, 1, -4, 3, 5, 6, 7, -8, 9, 10, 11, 12, 13, 14, 15};
    for (std::size_t i = 0; i < kReportColumnSlots; ++i)
        EXPECT_EQ(copied[i], expected[i]) << i;
    // Then shown for the five columns, the rest keep their own numbers.
    const ReportColumnRow shown = NormalizeColumnRow(copied, 5);
    EXPECT_EQ(shown[2], -4);
    EXPECT_EQ(shown[7], 8);
    // An order that names columns the list cannot have is left out.
    const int odd[] = {-1, 40};
    EXPECT_EQ(CopyColumnsFromList(row, odd, widths), row);
}

}  // namespace
}  // namespace kv
