#include "archive/decoders/Unshrink.h"

#include <gtest/gtest.h>

#include "ZipFixture.h"
#include "archive/ArcError.h"

namespace kv::arc::test {
namespace {

void ExpectMethodMembersDecode(const Bytes& zip, int method, int* seen) {
    for (const auto& e : ZipEntries(zip)) {
        if (e.method != method) continue;
        SCOPED_TRACE(e.name);
        ++*seen;
        Decoded d = DecodeEntry(zip, e);
        EXPECT_EQ(d.bytes.size(), e.size);
        EXPECT_EQ(d.crc, e.crc);
    }
}

TEST(Unshrink, HistoricMembersMatchTheirCrcAndUnzip) {
    int seen = 0;
    Bytes pkz = HistoricFixture("defacto2-archive/testdata/PKZ80A1.ZIP");  // 2.4 MB member: many partial clears
    ExpectMethodMembersDecode(pkz, 1, &seen);
    for (const char* name : {"sharpcompress/Archives/Zip.reduce1.zip", "sharpcompress/Archives/Zip.reduce2.zip",
                             "sharpcompress/Archives/Zip.reduce3.zip"})
        ExpectMethodMembersDecode(HistoricFixture(name), 1, &seen);
    Bytes shrunk = HistoricFixture("commons-compress/resources/SHRUNK.ZIP");
    ExpectMethodMembersDecode(shrunk, 1, &seen);
    EXPECT_EQ(seen, 8 + 3 + 2);

    auto entries = ZipEntries(shrunk);
    EXPECT_EQ(DecodeEntry(shrunk, FindEntry(entries, "TEST1.XML")).bytes,
              ZipDecoderFixture("expected/commons-compress/SHRUNK.TEST1.XML"));
    EXPECT_EQ(DecodeEntry(shrunk, FindEntry(entries, "TEST2.XML")).bytes,
              ZipDecoderFixture("expected/commons-compress/SHRUNK.TEST2.XML"));
    EXPECT_EQ(DecodeEntry(pkz, FindEntry(ZipEntries(pkz), "TEST.PCX")).bytes,
              ZipDecoderFixture("expected/defacto2-archive/TEST.PCX"));
}

int ShrinkError(Bytes stream, std::uint64_t declared) {
    MemorySource source(stream);
    PackedInput in(source, 0, stream.size());
    OutputSink sink;
    sink.SetMode(SinkMode::Memory);
    sink.StartMemory(1 << 20);
    DecodedOutput out(sink, declared, DecodedOutput::Check::None);
    try {
        DecodeShrink(in, out);
    } catch (const E_RAISE& e) {
        return e.id();
    }
    return 0;
}

// 9-bit codes packed from the low bit up.
Bytes Codes9(std::initializer_list<unsigned> codes) {
    Bytes b;
    std::uint32_t acc = 0;
    int n = 0;
    for (unsigned c : codes) {
        acc |= c << n;
        n += 9;
        while (n >= 8) {
            b.push_back(static_cast<std::uint8_t>(acc));
            acc >>= 8;
            n -= 8;
        }
    }
    if (n > 0) b.push_back(static_cast<std::uint8_t>(acc));
    return b;
}

TEST(Unshrink, DamagedStreams) {
    EXPECT_EQ(ShrinkError(Codes9({'a', 'b', 'a', 257, 258}), 7), 0);  // the code being defined (258) is allowed
    EXPECT_EQ(ShrinkError(Codes9({'a', 300}), 10), eInvalidCode);     // never defined
    EXPECT_EQ(ShrinkError(Codes9({256, 'a'}), 10), eInvalidCode);     // the first code must be a byte
    EXPECT_EQ(ShrinkError(Codes9({'a', 256, 3}), 10), eBadBlock);    // unknown control code
    EXPECT_EQ(ShrinkError(Codes9({'a', 'b'}), 1000), eBadBlock);     // truncated
    EXPECT_EQ(ShrinkError(Codes9({'a', 'b', 'c', 'd'}), 2), 0);  // stops at the declared size
    EXPECT_EQ(ShrinkError(Codes9({'a', 'b', 257}), 3), eBadBlock);  // a string running past it
    // A partial clear frees 257 while it is the previous code; 257 then equals the
    // next free code, whose string would start from the freed one.
    EXPECT_EQ(ShrinkError(Codes9({'A', 'B', 257, 256, 2, 257}), 100), eInvalidCode);
}

}  // namespace
}  // namespace kv::arc::test
