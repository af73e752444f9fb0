#include "base/BoundedReader.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <limits>
#include <vector>

namespace kv {
namespace {

TEST(BoundedReader, ReadsEveryWidthLittleEndian) {
    const std::vector<std::uint8_t> bytes = {
        0x01,                                            // u8
        0x34, 0x12,                                      // u16
        0x78, 0x56, 0x34, 0x12,                          // u32
        0xEF, 0xCD, 0xAB, 0x89, 0x67, 0x45, 0x23, 0x01,  // u64
        0xFE, 0xFF,                                      // i16 -2
        0xFF, 0xFF, 0xFF, 0xFF,                          // i32 -1
        0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x80,  // i64 min
        0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0xF8, 0x3F,  // f64 1.5
        'a', 'b', 'c', 0x07, 0x08,
    };
    BoundedReader r(bytes);
    EXPECT_EQ(r.u8(), 0x01);
    EXPECT_EQ(r.u16(), 0x1234);
    EXPECT_EQ(r.u32(), 0x12345678u);
    EXPECT_EQ(r.u64(), 0x0123456789ABCDEFull);
    EXPECT_EQ(r.i16(), -2);
    EXPECT_EQ(r.i32(), -1);
    EXPECT_EQ(r.i64(), std::numeric_limits<std::int64_t>::min());
    EXPECT_EQ(r.f64(), 1.5);
    EXPECT_EQ(r.text(3), "abc");
    std::uint8_t two[2];
    r.copy(two, 2);
    EXPECT_EQ(two[0], 0x07);
    EXPECT_EQ(two[1], 0x08);
    EXPECT_TRUE(r.atEnd());
    EXPECT_EQ(r.remaining(), 0u);
}

TEST(BoundedReader, ReadPastEndThrowsAndLeavesPositionUnchanged) {
    const std::vector<std::uint8_t> bytes(10, 0xAA);
    const std::size_t huge = std::numeric_limits<std::size_t>::max();
    std::uint8_t sink[16];
    struct Case {
        const char* what;
        std::size_t start;  // 10 bytes in all
        std::function<void(BoundedReader&)> read;
    };
    const Case cases[] = {
        {"u8 at end", 10, [](BoundedReader& r) { r.u8(); }},
        {"u16 with one left", 9, [](BoundedReader& r) { r.u16(); }},
        {"u32 with three left", 7, [](BoundedReader& r) { r.u32(); }},
        {"u64 with seven left", 3, [](BoundedReader& r) { r.u64(); }},
        {"i16", 9, [](BoundedReader& r) { r.i16(); }},
        {"i32", 8, [](BoundedReader& r) { r.i32(); }},
        {"i64", 4, [](BoundedReader& r) { r.i64(); }},
        {"f64", 5, [](BoundedReader& r) { r.f64(); }},
        {"bytes one too many", 4, [](BoundedReader& r) { r.bytes(7); }},
        {"text one too many", 0, [](BoundedReader& r) { r.text(11); }},
        {"copy one too many", 2, [&](BoundedReader& r) { r.copy(sink, 9); }},
        {"skip one too many", 5, [](BoundedReader& r) { r.skip(6); }},
        {"huge length does not wrap", 5, [&](BoundedReader& r) { r.bytes(huge); }},
        {"huge skip does not wrap", 1, [&](BoundedReader& r) { r.skip(huge); }},
        {"huge need does not wrap", 1, [&](BoundedReader& r) { r.need(huge); }},
        {"seek past the end", 3, [](BoundedReader& r) { r.seek(11); }},
        {"seek far past the end", 3, [&](BoundedReader& r) { r.seek(huge); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        BoundedReader r(bytes);
        r.seek(c.start);
        EXPECT_THROW(c.read(r), ETruncated);
        EXPECT_EQ(r.position(), c.start);
    }
}

TEST(BoundedReader, ExactFitsSucceedUpToTheEnd) {
    const std::vector<std::uint8_t> bytes = {1, 2, 3, 4, 5, 6, 7, 8};
    BoundedReader r(bytes);
    r.seek(8);  // the end itself is a valid position
    EXPECT_TRUE(r.atEnd());
    EXPECT_EQ(r.bytes(0).size(), 0u);
    r.seek(0);
    r.skip(4);
    EXPECT_EQ(r.u32(), 0x08070605u);
    r.seek(6);
    EXPECT_EQ(r.u16(), 0x0807);

    BoundedReader empty;
    EXPECT_TRUE(empty.atEnd());
    EXPECT_THROW(empty.u8(), ETruncated);
    EXPECT_NO_THROW(empty.skip(0));
}

TEST(BoundedReader, BytesViewTheRangeWithoutCopying) {
    const std::uint8_t bytes[] = {9, 8, 7, 6};
    BoundedReader r(bytes, sizeof bytes);
    r.skip(1);
    auto view = r.bytes(2);
    EXPECT_EQ(view.data(), bytes + 1);
    EXPECT_EQ(r.position(), 3u);
}

}  // namespace
}  // namespace kv
