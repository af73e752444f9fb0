#include "base/DosDateTime.h"

#include <gtest/gtest.h>

#include <cstdint>

namespace kv {
namespace {

TEST(DosDateTime, EncodesAndDecodesTheTable) {
    struct Case {
        DateTime time;
        std::uint32_t value;
    };
    const Case cases[] = {
        {{1980, 1, 1, 0, 0, 0}, 0x00210000},
        {{2107, 12, 31, 23, 59, 58}, 0xFF9FBF7D},
        {{2024, 2, 29, 13, 45, 30}, 0x585D6DAF},  // a leap day
        {{1999, 12, 31, 23, 59, 0}, 0x279FBF60},
        {{2000, 3, 1, 0, 0, 2}, 0x28610001},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.value);
        EXPECT_EQ(encodeDosDateTime(c.time), c.value);
        auto decoded = decodeDosDateTime(c.value);
        ASSERT_TRUE(decoded);
        EXPECT_EQ(*decoded, c.time);
    }
}

TEST(DosDateTime, EncodingRoundsOddSecondsDownAndClampsTheYears) {
    EXPECT_EQ(encodeDosDateTime({2024, 2, 29, 13, 45, 31}), 0x585D6DAFu);
    EXPECT_EQ(encodeDosDateTime({1980, 1, 1, 0, 0, 1}), 0x00210000u);
    EXPECT_EQ(encodeDosDateTime({1979, 12, 31, 23, 59, 59}), 0x00210000u);
    EXPECT_EQ(encodeDosDateTime({1601, 6, 15, 12, 0, 0}), 0x00210000u);
    EXPECT_EQ(encodeDosDateTime({2107, 12, 31, 23, 59, 59}), 0xFF9FBF7Du);
    EXPECT_EQ(encodeDosDateTime({2108, 1, 1, 0, 0, 0}), 0xFF9FBF7Du);
    EXPECT_EQ(encodeDosDateTime({30827, 12, 31, 23, 59, 59}), 0xFF9FBF7Du);
}

// Sorting the values sorts by date first: the date lives in the high word.
TEST(DosDateTime, ValuesSortByDateThenTime) {
    EXPECT_LT(encodeDosDateTime({2001, 5, 1, 23, 59, 58}), encodeDosDateTime({2001, 5, 2, 0, 0, 0}));
    EXPECT_LT(encodeDosDateTime({2001, 5, 2, 0, 0, 0}), encodeDosDateTime({2001, 5, 2, 0, 0, 2}));
}

TEST(DosDateTime, OutOfRangeFieldsDecodeToNothing) {
    auto date = [](int year, int month, int day) {
        return static_cast<std::uint32_t>(((year - 1980) << 9) | (month << 5) | day) << 16;
    };
    auto time = [](int hour, int minute, int twoSeconds) {
        return static_cast<std::uint32_t>((hour << 11) | (minute << 5) | twoSeconds);
    };
    const std::uint32_t noon = time(12, 0, 0);
    const std::uint32_t bad[] = {
        0,                              // no date at all
        date(2000, 0, 1) | noon,        // month 0
        date(2000, 13, 1) | noon,       // month 13
        date(2000, 15, 1) | noon,       // month 15
        date(2000, 1, 0) | noon,        // day 0
        date(2000, 4, 31) | noon,       // 31 April
        date(2023, 2, 29) | noon,       // not a leap year
        date(2100, 2, 29) | noon,       // century, not a leap year
        date(2000, 1, 1) | time(24, 0, 0),
        date(2000, 1, 1) | time(31, 0, 0),
        date(2000, 1, 1) | time(0, 60, 0),
        date(2000, 1, 1) | time(0, 0, 30),  // second 60
    };
    for (std::uint32_t v : bad) EXPECT_FALSE(decodeDosDateTime(v)) << std::hex << v;
    EXPECT_TRUE(decodeDosDateTime(date(2000, 2, 29) | time(23, 59, 29)));
}

}  // namespace
}  // namespace kv
