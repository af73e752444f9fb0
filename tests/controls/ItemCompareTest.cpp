#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "controls/ItemCompare.h"

namespace {

using kv::ui::CompareLocale;
using kv::ui::DefaultItemCompare;

int sign(int v) { return (v > 0) - (v < 0); }

CompareLocale german() {
    CompareLocale l;
    l.dateSeparator = ".";
    l.shortDateFormat = "dd.MM.yyyy";
    l.decimalSeparator = ',';
    return l;
}

TEST(DefaultItemCompare, NumbersDatesAndTextFallBack) {
    CompareLocale us;
    struct Case {
        const char* a;
        const char* b;
        int expect;
    } cases[] = {
        {"9", "10", -1},                   // numbers, not text
        {"10", "9", 1},
        {"1.5", "1.50", 0},
        {"-2", "1e1", -1},
        {"5/3/2024", "5/1/2024", 2},       // difference in days
        {"5/1/2024 23:59", "5/1/2024", 0}, // the same day compares equal
        {"5/1/2024", "5/1/2024 23:59", 0},
        {"12/31/2023", "1/1/2024", -1},
        {"2/29/2023", "1/1/2024", 1},      // not a date: text order
        {"10", "10a", -1},                 // mixed: text
        {"10a", "9", -1},
        {"abc", "abd", -1},
        {"0x10", "9", -1},                 // hex is text
        {"inf", "nan", -1},
        {"", "", 0},
    };
    for (const Case& c : cases)
        EXPECT_EQ(sign(DefaultItemCompare(c.a, c.b, us)), sign(c.expect)) << c.a << " vs " << c.b;
    EXPECT_EQ(DefaultItemCompare("5/3/2024", "5/1/2024", us), 2);
}

TEST(DefaultItemCompare, FollowsTheLocale) {
    CompareLocale de = german();
    EXPECT_EQ(DefaultItemCompare("3.5.2024", "1.5.2024", de), 2);  // day first
    EXPECT_LT(DefaultItemCompare("1,5", "1,75", de), 0);
    EXPECT_FALSE(kv::ui::parseListNumber("1.5", de));  // the foreign separator is text
    int calls = 0;
    de.compareText = [&](std::string_view, std::string_view) {
        ++calls;
        return 7;
    };
    EXPECT_EQ(DefaultItemCompare("b", "a", de), 7);
    EXPECT_EQ(calls, 1);
}

TEST(DefaultItemCompare, BadDatesAreNotDates) {
    CompareLocale us;
    for (const char* bad : {"13/1/2024", "0/1/2024", "2/30/2024", "1/1", "1//2024", "1/1/2024 25:00",
                            "1/1/2024 10", "1/1/12345", "1/1/2024x", "/"})
        EXPECT_FALSE(kv::ui::parseListDate(bad, us)) << bad;
    EXPECT_DOUBLE_EQ(*kv::ui::parseListDate("12/30/1899", us), 0.0);
    EXPECT_DOUBLE_EQ(*kv::ui::parseListDate("1/1/1900 12:00", us), 2.5);
}

// The comparer is not a strict weak ordering; a stable merge sort still ends
// in bounds with every element kept.
TEST(DefaultItemCompare, StableSortSurvivesTheCycle) {
    CompareLocale us;
    std::vector<std::string> v;
    for (int i = 0; i < 200; ++i) v.push_back(i % 3 == 0 ? "9" : i % 3 == 1 ? "10" : "10a");
    std::stable_sort(v.begin(), v.end(),
                     [&](const std::string& a, const std::string& b) { return DefaultItemCompare(a, b, us) < 0; });
    EXPECT_EQ(v.size(), 200u);
    EXPECT_EQ(std::count(v.begin(), v.end(), "10a"), 66);
}

}  // namespace
