#include "archive/decoders/Inflate.h"

#include <gtest/gtest.h>

#include "ZipFixture.h"
#include "archive/ArcError.h"
#include "archive/Checksum.h"

namespace kv::arc::test {
namespace {

struct RawResult {
    int error = 0;
    Bytes bytes;
};

RawResult InflateRaw(const Bytes& stream, std::uint64_t declared, std::size_t sinkCap = 1 << 22) {
    MemorySource source(stream);
    PackedInput in(source, 0, stream.size());
    OutputSink sink;
    sink.SetMode(SinkMode::Memory);
    sink.StartMemory(sinkCap);
    DecodedOutput out(sink, declared, DecodedOutput::Check::Crc32);
    RawResult r;
    try {
        Inflate(in, out);
    } catch (const E_RAISE& e) {
        r.error = e.id();
    }
    out.Flush();
    r.bytes = sink.TakeMemory();
    return r;
}

void ExpectAllMembersDecode(const Bytes& zip) {
    for (const auto& e : ZipEntries(zip)) {
        SCOPED_TRACE(e.name);
        Decoded d = DecodeEntry(zip, e);
        EXPECT_EQ(d.bytes.size(), e.size);
        EXPECT_EQ(d.crc, e.crc);
    }
}

TEST(Inflate, ZipMembersOfEveryLevelMatchUnzip) {
    Bytes text = ZipDecoderFixture("expected/made/text.txt");
    Bytes small = ZipDecoderFixture("expected/made/small.txt");
    for (const char* name : {"made/level0.zip", "made/level1.zip", "made/level6.zip", "made/level9.zip"}) {
        SCOPED_TRACE(name);
        Bytes zip = ZipDecoderFixture(name);
        auto entries = ZipEntries(zip);
        ExpectAllMembersDecode(zip);
        EXPECT_EQ(DecodeEntry(zip, FindEntry(entries, "text.txt")).bytes, text);
        EXPECT_EQ(DecodeEntry(zip, FindEntry(entries, "small.txt")).bytes, small);
        EXPECT_TRUE(DecodeEntry(zip, FindEntry(entries, "empty.txt")).bytes.empty());
    }
}

TEST(Inflate, Pkzip204MaximumCompression) {
    Bytes zip = HistoricFixture("defacto2-archive/testdata/PKZ204EX.ZIP");
    ExpectAllMembersDecode(zip);
    EXPECT_EQ(DecodeEntry(zip, FindEntry(ZipEntries(zip), "TEST.PCX")).bytes,
              ZipDecoderFixture("expected/defacto2-archive/TEST.PCX"));
}

TEST(Inflate, DamagedStreams) {
    const struct {
        const char* file;
        int error;
    } cases[] = {
        {"bad-block-type.raw", eBadBlock},
        {"bad-stored-length.raw", eBadBlock},
        {"truncated.raw", eBadBlock},  // packed bytes end before the final block
        {"too-many-codes.raw", eBadLengths},
        {"oversubscribed.raw", eIncompleteCodeSet},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.file);
        EXPECT_EQ(InflateRaw(ZipDecoderFixture(std::string("made/") + c.file), 100000).error, c.error);
    }
}

TEST(Inflate, EmptyStoredBlockAndTrailingBytes) {
    RawResult empty = InflateRaw(ZipDecoderFixture("made/empty-stored.raw"), 0);
    EXPECT_EQ(empty.error, 0);
    EXPECT_TRUE(empty.bytes.empty());
    RawResult trailing = InflateRaw(ZipDecoderFixture("made/trailing.raw"), 300);
    EXPECT_EQ(trailing.error, 0);
    EXPECT_EQ(trailing.bytes, ZipDecoderFixture("expected/made/small.txt"));
}

TEST(Inflate, OutputStopsAtTheDeclaredSize) {
    Bytes bomb = ZipDecoderFixture("made/bomb.raw");  // 1 MiB of zeros
    RawResult capped = InflateRaw(bomb, 1000);
    EXPECT_EQ(capped.error, eBadBlock);
    EXPECT_EQ(capped.bytes, Bytes(1000, 0));
    RawResult whole = InflateRaw(bomb, 1 << 20);
    EXPECT_EQ(whole.error, 0);
    EXPECT_EQ(whole.bytes.size(), 1u << 20);
    EXPECT_EQ(InflateRaw(bomb, 1 << 20, 40000).error, eWriteError);
}

TEST(Inflate, GzipMemberByMethod) {
    Bytes gz = ZipDecoderFixture("made/text.gz");
    ASSERT_EQ(gz[3], 0);  // no optional fields: data starts after the 10-byte header
    Bytes text = ZipDecoderFixture("expected/made/text.txt");
    std::uint32_t storedCrc = gz[gz.size() - 8] | gz[gz.size() - 7] << 8 | gz[gz.size() - 6] << 16 |
                              static_cast<std::uint32_t>(gz[gz.size() - 5]) << 24;
    auto decode = [&](const Bytes& file, std::uint64_t pos, std::uint64_t packed, int method, std::uint32_t* crc) {
        MemorySource source(file);
        PackedInput in(source, pos, packed);
        OutputSink sink;
        sink.SetMode(SinkMode::Memory);
        sink.StartMemory(text.size());
        DecodedOutput out(sink, text.size(), DecodedOutput::Check::Crc32);
        DecodeGzipMember(in, out, method);
        *crc = out.Crc();
        return sink.TakeMemory();
    };
    std::uint32_t crc = 0;
    EXPECT_EQ(decode(gz, 10, gz.size() - 18, 8, &crc), text);
    EXPECT_EQ(crc, storedCrc);
    EXPECT_EQ(decode(text, 0, text.size(), 0, &crc), text);
    EXPECT_EQ(crc, storedCrc);
    try {
        decode(gz, 10, gz.size() - 18, 9, &crc);
        ADD_FAILURE() << "method 9 decoded";
    } catch (const E_RAISE& e) {
        EXPECT_EQ(e.id(), eUnsupportedMethod);
    }
}

}  // namespace
}  // namespace kv::arc::test
