#include "base/CatalogDate.h"

#include <gtest/gtest.h>

#include <limits>

namespace kv {
namespace {

TEST(CatalogDate, ConvertsTheTableBothWays) {
    struct Case {
        DateTime time;
        double value;
    };
    const Case cases[] = {
        {{1899, 12, 30, 0, 0, 0}, 0.0},
        {{1899, 12, 31, 6, 0, 0}, 1.25},
        {{1900, 1, 1, 0, 0, 0}, 2.0},
        {{1900, 3, 1, 0, 0, 0}, 61.0},  // 1900 was no leap year
        {{2000, 1, 1, 12, 0, 0}, 36526.5},
        {{2024, 2, 29, 18, 0, 0}, 45351.75},
        {{1899, 12, 29, 6, 0, 0}, -1.25},  // before day 0 the fraction still counts forward
        {{1, 1, 1, 0, 0, 0}, -693593.0},
        {{9999, 12, 31, 0, 0, 0}, 2958465.0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.value);
        EXPECT_DOUBLE_EQ(toCatalogDate(c.time), c.value);
        EXPECT_EQ(fromCatalogDate(c.value), c.time);
    }
}

TEST(CatalogDate, RoundsToTheNearestSecond) {
    const double second = 1.0 / 86400;
    EXPECT_EQ(fromCatalogDate(36526.5 + 0.4 * second), (DateTime{2000, 1, 1, 12, 0, 0}));
    EXPECT_EQ(fromCatalogDate(36526.5 + 0.6 * second), (DateTime{2000, 1, 1, 12, 0, 1}));
    EXPECT_EQ(fromCatalogDate(36526.5 - 0.4 * second), (DateTime{2000, 1, 1, 12, 0, 0}));
    // Rounding up from the last second of a day reaches the next day.
    EXPECT_EQ(fromCatalogDate(36526 + 86399.6 * second), (DateTime{2000, 1, 2, 0, 0, 0}));
    EXPECT_EQ(fromCatalogDate(-1 - 86399.6 * second), (DateTime{1899, 12, 30, 0, 0, 0}));
    EXPECT_EQ(fromCatalogDate(2958465 + 86399.9 * second), (DateTime{9999, 12, 31, 23, 59, 59}));
    // Every second of a day comes back as itself.
    for (int s = 0; s < 86400; s += 37) {
        DateTime t{2010, 7, 4, s / 3600, s / 60 % 60, s % 60};
        ASSERT_EQ(fromCatalogDate(toCatalogDate(t)), t) << s;
    }
}

TEST(CatalogDate, ValuesOutsideTheCalendarClamp) {
    const DateTime first{1, 1, 1, 0, 0, 0};
    const DateTime last{9999, 12, 31, 23, 59, 59};
    const double inf = std::numeric_limits<double>::infinity();
    EXPECT_EQ(fromCatalogDate(std::numeric_limits<double>::quiet_NaN()), (DateTime{1899, 12, 30, 0, 0, 0}));
    EXPECT_EQ(fromCatalogDate(inf), last);
    EXPECT_EQ(fromCatalogDate(1e300), last);
    EXPECT_EQ(fromCatalogDate(2958466.0), last);
    EXPECT_EQ(fromCatalogDate(-inf), first);
    EXPECT_EQ(fromCatalogDate(-1e300), first);
    EXPECT_EQ(fromCatalogDate(-693594.5), first);
}

}  // namespace
}  // namespace kv
