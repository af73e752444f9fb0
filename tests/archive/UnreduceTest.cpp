#include "archive/decoders/Unreduce.h"

#include <gtest/gtest.h>

#include <cctype>

#include "ArcTestSupport.h"
#include "ZipFixture.h"
#include "archive/ArcError.h"

namespace kv::arc::test {
namespace {

// unzip has no unreduce: the expected files are those it extracts from a sibling
// archive of the same collection.
TEST(Unreduce, HistoricMembersOfEachFactorMatchTheirCrcAndContent) {
    Bytes exe = ZipDecoderFixture("expected/sharpcompress/TEST.EXE");
    Bytes jpg = ZipDecoderFixture("expected/sharpcompress/TEST.JPG");
    for (int factor = 1; factor <= 3; ++factor) {
        SCOPED_TRACE(factor);
        Bytes zip = HistoricFixture("sharpcompress/Archives/Zip.reduce" + std::to_string(factor) + ".zip");
        auto entries = ZipEntries(zip);
        for (const char* name : {"TEST.EXE", "TEST.JPG"}) {
            const ZipEntry& e = FindEntry(entries, name);
            ASSERT_EQ(e.method, factor + 1);
            Decoded d = DecodeEntry(zip, e);
            EXPECT_EQ(d.crc, e.crc);
            EXPECT_EQ(d.bytes, std::string(name) == "TEST.EXE" ? exe : jpg);
        }
    }
}

// Factor 4 exists in no archive at hand and no tool here extracts reduce: these
// come from our own encoder (tools/make-reduce-fixtures), whose factors 1-3 the
// decoder that reads the historic members above must also read.
TEST(Unreduce, OwnEncoderArchivesOfEveryFactorGiveTheirFilesBack) {
    for (int factor = 1; factor <= 4; ++factor) {
        SCOPED_TRACE(factor);
        Bytes zip = ZipDecoderFixture("reduced/reduce" + std::to_string(factor) + ".zip");
        auto entries = ZipEntries(zip);
        ASSERT_EQ(entries.size(), 6u);
        for (const ZipEntry& e : entries) {
            SCOPED_TRACE(e.name);
            ASSERT_EQ(e.method, factor + 1);
            std::string lower = e.name;
            for (char& c : lower) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
            // The empty and one-byte files lie beside the archives, the rest are the decoder payload files.
            const bool small = e.size < 2;
            Decoded d = DecodeEntry(zip, e);
            EXPECT_EQ(d.crc, e.crc);
            EXPECT_EQ(d.bytes, small ? ZipDecoderFixture("reduced/" + lower) : ReadFixture("decoders/payload/" + lower));
        }
    }
}

int ReduceError(const Bytes& stream, std::uint64_t declared, int factor) {
    MemorySource source(stream);
    PackedInput in(source, 0, stream.size());
    OutputSink sink;
    sink.SetMode(SinkMode::Memory);
    sink.StartMemory(1 << 20);
    DecodedOutput out(sink, declared, DecodedOutput::Check::None);
    try {
        DecodeReduce(in, out, factor);
    } catch (const E_RAISE& e) {
        return e.id();
    }
    return 0;
}

TEST(Unreduce, DamagedStreams) {
    // Empty follower sets take 256 x 6 bits = 192 bytes; then plain bytes of 8 bits.
    Bytes empty(192, 0);
    Bytes good = empty;
    good.insert(good.end(), {'a', 'b'});
    EXPECT_EQ(ReduceError(good, 2, 1), 0);
    EXPECT_EQ(ReduceError(good, 100, 1), eBadBlock);  // runs out of input
    Bytes oversized(200, 0);
    oversized[0] = 33;  // the set of byte 255 claims 33 followers
    EXPECT_EQ(ReduceError(oversized, 10, 2), eBadBlock);
    // The set of byte 0 (the last one stored) has 3 followers; index 3 (2 bits) lies outside.
    Bytes index(192, 0);
    index[191] = 3 << 2;  // its 6-bit size sits in bits 2..7 of the last byte
    index.insert(index.end(), {'x', 'y', 'z', 0x06, 0, 0});  // followers, then flag 0 and index 3
    EXPECT_EQ(ReduceError(index, 10, 4), eBadBlock);
    EXPECT_EQ(ReduceError(good, 10, 5), eUnsupportedMethod);
}

}  // namespace
}  // namespace kv::arc::test
