#include <gtest/gtest.h>

#include "DecoderTestSupport.h"
#include "archive/decoders/LzdDecode.h"

namespace kv::arc::test {
namespace {

TEST(LzdDecode, ZooArchiveDecodesToWhatArjExtractsOfTheSameText) {
    const Bytes archive = ReadFixture("historic/unarc-rs/tests/zoo/default.zoo");
    const auto members = ZooMembers(archive);
    ASSERT_EQ(members.size(), 1u);
    ASSERT_EQ(members[0].method, 1);
    const Decoded d = DecodeMember(archive, members[0], DecodedOutput::Check::Crc16, LzdDecode);
    EXPECT_EQ(d.crc, members[0].crc);
    EXPECT_EQ(d.bytes, ReadFixture("decoders/expected/unarc-rs_tests_arj_method1.arj_LICENSE"));
}

TEST(LzdDecode, CraftedCodes) {
    LsbBits kwk;  // clear, 'a', then the code being defined ("aa"), then "aa" again
    kwk.Put(256, 9).Put('a', 9).Put(258, 9).Put(258, 9).Put(257, 9);
    EXPECT_EQ(DecodeBytes(kwk.bytes, 5, LzdDecode).bytes, Bytes(5, 'a'));

    LsbBits ahead;  // a code two beyond the next free one
    ahead.Put(256, 9).Put('a', 9).Put(259, 9);
    LsbBits early;  // the end code before the declared size
    early.Put('a', 9).Put(257, 9);
    LsbBits firstIsString;
    firstIsString.Put(256, 9).Put(300, 9);
    struct Case {
        const char* what;
        Bytes stream;
    } const cases[] = {{"undefined code", ahead.bytes},
                       {"end before the declared size", early.bytes},
                       {"string code with no previous string", firstIsString.bytes},
                       {"empty input", {}}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(RaisedId([&] { DecodeBytes(c.stream, 5, LzdDecode); }), eBadBlock);
    }
    // More output than declared: the decoder stops at the declared size.
    EXPECT_EQ(RaisedId([&] { DecodeBytes(kwk.bytes, 4, LzdDecode); }), eBadBlock);
}

TEST(LzdDecode, WidthGrowsToThirteenBitsAndTheTableFillsWithoutOverrun) {
    // Codes 0..255 in turn: every code defines a new entry, so the width steps
    // 9 -> 13 and the table fills; after that no entry is added and codes stay 13 bits.
    LsbBits s;
    std::uint32_t next = 258;
    int width = 9;
    Bytes want;
    for (int i = 0; i < 9000; ++i) {
        s.Put(static_cast<std::uint32_t>(i % 251), width);
        want.push_back(static_cast<std::uint8_t>(i % 251));
        if (i > 0 && next < 8192 && ++next >= (1u << width) && width < 13) ++width;
    }
    EXPECT_EQ(DecodeBytes(s.bytes, want.size(), LzdDecode).bytes, want);
}

}  // namespace
}  // namespace kv::arc::test
