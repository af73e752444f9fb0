#include <gtest/gtest.h>

#include "report/PageResidency.h"

namespace kv::report {
namespace {

using Pages = std::vector<std::size_t>;

TEST(PageResidency, KeepsThePagesUsedLast) {
    PageResidency pages(3);
    EXPECT_EQ(pages.Use(0), Pages{});
    EXPECT_EQ(pages.Use(1), Pages{});
    EXPECT_EQ(pages.Use(2), Pages{});
    EXPECT_EQ(pages.Use(3), Pages{0});
    // Showing page 1 again makes page 2 the oldest.
    EXPECT_EQ(pages.Use(1), Pages{});
    EXPECT_EQ(pages.Use(4), Pages{2});
    EXPECT_EQ(pages.Use(0), Pages{3});  // read back: another goes
    EXPECT_TRUE(pages.Resident(0));
    EXPECT_TRUE(pages.Resident(1));
    EXPECT_TRUE(pages.Resident(4));
    EXPECT_FALSE(pages.Resident(2));
    EXPECT_FALSE(pages.Resident(99));
    EXPECT_EQ(pages.ResidentCount(), 3u);
}

TEST(PageResidency, AtLeastThePageInUseStays) {
    PageResidency pages(0);
    EXPECT_EQ(pages.Capacity(), 1u);
    EXPECT_EQ(pages.Use(5), Pages{});
    EXPECT_EQ(pages.Use(5), Pages{});
    EXPECT_EQ(pages.Use(2), Pages{5});
    EXPECT_EQ(pages.ResidentCount(), 1u);
}

// Thousands of pages keep only the capacity in memory.
TEST(PageResidency, ALongReportStaysWithinItsCapacity) {
    PageResidency pages(32);
    std::size_t out = 0;
    for (std::size_t p = 0; p < 5000; ++p)
        out += pages.Use(p).size();
    EXPECT_EQ(out, 5000u - 32u);
    EXPECT_EQ(pages.ResidentCount(), 32u);
}

}  // namespace
}  // namespace kv::report
