#include "archive/decoders/Explode.h"

#include <gtest/gtest.h>

#include "ZipFixture.h"
#include "archive/ArcError.h"

namespace kv::arc::test {
namespace {

TEST(Explode, HistoricMembersMatchTheirCrcAndUnzip) {
    const struct {
        const char* archive;
        std::uint16_t flags;  // dictionary and trees that must be present
        int members;
    } archives[] = {
        {"commons-compress/resources/imploding-4Kdict-2trees.zip", 0, 1},
        {"commons-compress/resources/imploding-8Kdict-3trees.zip", 6, 1},
        {"defacto2-archive/testdata/PKZ110EI.ZIP", 0xFFFF, 7},
        {"sharpcompress/Archives/Zip.implode.zip", 0xFFFF, 2},
    };
    for (const auto& a : archives) {
        SCOPED_TRACE(a.archive);
        Bytes zip = HistoricFixture(a.archive);
        int seen = 0;
        for (const auto& e : ZipEntries(zip)) {
            if (e.method != 6) continue;
            SCOPED_TRACE(e.name);
            ++seen;
            if (a.flags != 0xFFFF) {
                EXPECT_EQ(e.flags & 6, a.flags);
            }
            Decoded d = DecodeEntry(zip, e);
            EXPECT_EQ(d.bytes.size(), e.size);
            EXPECT_EQ(d.crc, e.crc);
        }
        EXPECT_EQ(seen, a.members);
    }
    auto content = [](const char* archive, const char* member) {
        Bytes zip = HistoricFixture(archive);
        auto entries = ZipEntries(zip);
        return DecodeEntry(zip, member ? FindEntry(entries, member) : entries.at(0)).bytes;
    };
    EXPECT_EQ(content("commons-compress/resources/imploding-4Kdict-2trees.zip", nullptr),
              ZipDecoderFixture("expected/commons-compress/imploding-4K"));
    EXPECT_EQ(content("commons-compress/resources/imploding-8Kdict-3trees.zip", nullptr),
              ZipDecoderFixture("expected/commons-compress/imploding-8K"));
    EXPECT_EQ(content("defacto2-archive/testdata/PKZ110EI.ZIP", "TEST.PCX"),
              ZipDecoderFixture("expected/defacto2-archive/TEST.PCX"));
    EXPECT_EQ(content("sharpcompress/Archives/Zip.implode.zip", "EXE/TEST.EXE"),
              ZipDecoderFixture("expected/sharpcompress/TEST.EXE"));
}

int ExplodeError(const Bytes& stream, std::uint64_t declared, std::uint16_t flags) {
    MemorySource source(stream);
    PackedInput in(source, 0, stream.size());
    OutputSink sink;
    sink.SetMode(SinkMode::Memory);
    sink.StartMemory(1 << 20);
    DecodedOutput out(sink, declared, DecodedOutput::Check::None);
    try {
        DecodeImplode(in, out, flags);
    } catch (const E_RAISE& e) {
        return e.id();
    }
    return 0;
}

TEST(Explode, DamagedTreesAndStreams) {
    // Two 64-value trees; 0xF5 = 16 values of 6 bits, so four such bytes make a complete tree.
    Bytes complete = {3, 0xF5, 0xF5, 0xF5, 0xF5};
    Bytes good = complete;
    good.insert(good.end(), complete.begin(), complete.end());
    good.insert(good.end(), {0xFF, 0xFF});  // literals
    EXPECT_EQ(ExplodeError(good, 1, 0), 0);
    EXPECT_EQ(ExplodeError(good, 1000, 0), eBadBlock);  // runs out of input

    Bytes tooMany = {4, 0xF5, 0xF5, 0xF5, 0xF5, 0x05};  // 65 values
    EXPECT_EQ(ExplodeError(tooMany, 10, 0), eBadBlock);
    Bytes tooFew = {2, 0xF5, 0xF5, 0xF5};
    tooFew.insert(tooFew.end(), 20, 0);
    EXPECT_EQ(ExplodeError(tooFew, 10, 0), eBadBlock);
    Bytes ambiguous = {3, 0xF4, 0xF5, 0xF5, 0xF5};  // 16 values of 5 bits oversubscribe
    ambiguous.insert(ambiguous.end(), 20, 0);
    EXPECT_EQ(ExplodeError(ambiguous, 10, 0), eAmbiguousTree);
}

}  // namespace
}  // namespace kv::arc::test
