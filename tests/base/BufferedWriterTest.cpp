#include "base/BufferedWriter.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <stdexcept>
#include <vector>

namespace kv {
namespace {

using Bytes = std::vector<std::uint8_t>;

TEST(BufferedWriter, WritesFieldsLittleEndian) {
    MemorySink sink;
    BufferedWriter w(sink);
    w.u8(0x01);
    w.u16(0x1234);
    w.u32(0x12345678);
    w.u64(0x0123456789ABCDEFull);
    w.i32(-2);
    w.i64(-1);
    w.f64(1.5);
    w.text("ab");
    const std::uint8_t raw[] = {0xC0, 0xDE};
    w.bytes(raw, 2);
    EXPECT_EQ(w.position(), 39u);
    EXPECT_EQ(sink.size(), 0u);  // still buffered
    w.flush();
    const Bytes expected = {
        0x01, 0x34, 0x12, 0x78, 0x56, 0x34, 0x12,
        0xEF, 0xCD, 0xAB, 0x89, 0x67, 0x45, 0x23, 0x01,
        0xFE, 0xFF, 0xFF, 0xFF,
        0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF,
        0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0xF8, 0x3F,
        'a', 'b', 0xC0, 0xDE,
    };
    EXPECT_EQ(sink.bytes(), expected);
}

TEST(BufferedWriter, StartsAtTheEndOfWhatTheSinkHolds) {
    MemorySink sink;
    sink.write("xyz", 3);
    BufferedWriter w(sink);
    EXPECT_EQ(w.position(), 3u);
    w.u8('!');
    w.patch(1, "Y", 1);
    w.flush();
    EXPECT_EQ(sink.bytes(), (Bytes{'x', 'Y', 'z', '!'}));
}

// With an 8-byte buffer, byte 8 pushes bytes 0-7 to the sink, so patches can land
// in the sink, in the buffer, or across both.
TEST(BufferedWriter, PatchesInTheBufferTheSinkAndAcrossBoth) {
    struct Case {
        const char* where;
        std::uint64_t pos;
    };
    const Case cases[] = {{"buffer", 8}, {"sink", 1}, {"sink up to the buffer", 4}, {"straddling", 6}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.where);
        MemorySink sink;
        BufferedWriter w(sink, 8);
        for (std::uint8_t i = 0; i < 12; ++i) w.u8(i);
        ASSERT_EQ(sink.size(), 8u);
        w.patchU32(c.pos, 0xA3A2A1A0);
        w.flush();
        Bytes expected = {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11};
        for (int i = 0; i < 4; ++i) expected[c.pos + i] = static_cast<std::uint8_t>(0xA0 + i);
        EXPECT_EQ(sink.bytes(), expected);
    }
}

TEST(BufferedWriter, PatchPastTheWrittenBytesIsRefused) {
    MemorySink sink;
    BufferedWriter w(sink, 8);
    for (int i = 0; i < 10; ++i) w.u8(0);
    EXPECT_THROW(w.patchU32(7, 1), std::out_of_range);  // 7..10 reaches one byte past
    EXPECT_THROW(w.patch(11, "x", 0), std::out_of_range);
    EXPECT_NO_THROW(w.patchI32(6, -1));
    w.flush();
    EXPECT_EQ(sink.bytes(), (Bytes{0, 0, 0, 0, 0, 0, 0xFF, 0xFF, 0xFF, 0xFF}));
}

TEST(BufferedWriter, WritesLargerThanTheBufferKeepTheOrder) {
    MemorySink sink;
    BufferedWriter w(sink, 4);
    w.text("abc");
    w.text("0123456789");
    w.text("de");
    w.u32(0x64636261);  // does not fit beside "de": flushes first
    EXPECT_EQ(w.position(), 19u);
    w.patch(2, "C0", 2);
    w.flush();
    const std::string out(sink.bytes().begin(), sink.bytes().end());
    EXPECT_EQ(out, "abC0123456789deabcd");
}

}  // namespace
}  // namespace kv
