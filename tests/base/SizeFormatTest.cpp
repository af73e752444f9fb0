#include "base/text/SizeFormat.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <limits>

namespace kv {
namespace {

TEST(FormatSize, FloatTable) {
    struct Case {
        float size;
        const char* text;
    };
    const Case cases[] = {
        {0, "0 B"},
        {1000, "1000 B"},
        {1023, "1023 B"},
        {1023.9f, "1023 B"},
        {1024, "1 kB"},
        {1029, "1.00 kB"},  // cut keeps the zeros
        {1100, "1.07 kB"},  // 1.0742...: cut, not rounded
        {1536, "1.5 kB"},
        {10752, "10.5 kB"},
        {102399, "99.9 kB"},  // 99.999...
        {15360, "15 kB"},
        {102400, "100 kB"},  // three digits: no decimals
        {1048575, "1023 kB"},
        {1048576, "1 MB"},
        {1572864, "1.5 MB"},
        {1073741824.0f * 3.5f, "3.5 GB"},
        {1099511627776.0f, "1 TB"},
        {1125899906842624.0f, "1024 TB"},  // 1 PB stays in TB
        {1.5f * 1125899906842624.0f, "1536 TB"},
        {-5, "-5 B"},
        {-2048, "-2048 B"},
        {-0.5f, "0 B"},
        {std::numeric_limits<float>::quiet_NaN(), "0 B"},
        {std::numeric_limits<float>::infinity(), "0 B"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.size);
        EXPECT_EQ(FormatSize(c.size), c.text);
    }
}

TEST(FormatSize, LargestFloatStaysInTerabytes) {
    const std::string text = FormatSize(std::numeric_limits<float>::max());
    EXPECT_EQ(text.substr(text.size() - 3), " TB");
    EXPECT_EQ(text.find('.'), std::string::npos);
}

TEST(FormatSize, UsesTheGivenDecimalSeparator) {
    EXPECT_EQ(FormatSize(1536.0f, ","), "1,5 kB");
    EXPECT_EQ(FormatSize(std::int64_t{1100}, ","), "1,07 kB");
    EXPECT_EQ(FormatSize(FixedSize::fromBytes(1536), ","), "1,5 kB");
}

TEST(FormatSize, IntegerAndFixedPointCounts) {
    EXPECT_EQ(FormatSize(0), "0 B");
    EXPECT_EQ(FormatSize(1029u), "1.00 kB");
    EXPECT_EQ(FormatSize(std::uint32_t{0xFFFFFFFF}), "3.99 GB");
    EXPECT_EQ(FormatSize(std::int64_t{1} << 62), "4194304 TB");
    EXPECT_EQ(FormatSize(std::numeric_limits<std::uint64_t>::max()), "16777215 TB");
    EXPECT_EQ(FormatSize(std::numeric_limits<std::int64_t>::min()), "-9223372036854775808 B");
    EXPECT_EQ(FormatSize(-3), "-3 B");

    EXPECT_EQ(FormatSize(FixedSize::fromBytes(15360)), "15 kB");
    EXPECT_EQ(FormatSize(FixedSize::fromRaw(10239999)), "1023 B");  // 1023.9999 bytes
    EXPECT_EQ(FormatSize(FixedSize::fromRaw(10245000)), "1.00 kB");  // 1024.5 bytes
    EXPECT_EQ(FormatSize(FixedSize::fromRaw(-5000)), "0 B");
    // Beyond a float's precision: 1.5 TB and one byte.
    EXPECT_EQ(FormatSize(FixedSize::fromBytes((std::int64_t{3} << 39) + 1)), "1.5 TB");
    EXPECT_EQ(FormatSize(FixedSize::fromRaw(std::numeric_limits<std::int64_t>::max())), "838 TB");
}

TEST(FormatSize, IntegerAndFloatOverloadsAgree) {
    for (std::uint32_t v = 0; v < (1u << 24); v = v * 3 + 1) {
        SCOPED_TRACE(v);
        EXPECT_EQ(FormatSize(v), FormatSize(static_cast<float>(v)));
        EXPECT_EQ(FormatSize(FixedSize::fromBytes(v)), FormatSize(v));
    }
}

TEST(IntToStrF, IntegerPart) {
    EXPECT_EQ(IntToStrF(0), "0");
    EXPECT_EQ(IntToStrF(12.99), "12");
    EXPECT_EQ(IntToStrF(-12.99), "-12");
    EXPECT_EQ(IntToStrF(-0.3), "0");
    EXPECT_EQ(IntToStrF(4294967296.5), "4294967296");
    EXPECT_EQ(IntToStrF(std::nan("")), "0");
}

}  // namespace
}  // namespace kv
