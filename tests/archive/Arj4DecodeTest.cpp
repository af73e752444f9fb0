#include <gtest/gtest.h>

#include "DecoderTestSupport.h"
#include "archive/decoders/Arj4Decode.h"

namespace kv::arc::test {
namespace {

TEST(Arj4Decode, MadeArchivesDecodeToTheirPayload) {
    const Bytes bytes = ReadFixture("decoders/arj-m4.arj");
    int decoded = 0;
    for (const PackedMember& m : ArjMembers(bytes)) {
        ASSERT_EQ(m.method, 4);
        SCOPED_TRACE(m.name);
        const Decoded d = DecodeMember(bytes, m, DecodedOutput::Check::Crc32, Arj4Decode);
        EXPECT_EQ(d.crc, m.crc);
        EXPECT_EQ(d.bytes, ExpectedContent("", m.name));
        ++decoded;
    }
    EXPECT_EQ(decoded, 5);
}

TEST(Arj4Decode, CraftedCodes) {
    // "ab", then a match of length 3 at distance 2, then the longest length code
    // (seven ones, seven bits of ones: 254 + 2) at distance 1.
    MsbBits s;
    s.Put(0, 1).Put('a', 8).Put(0, 1).Put('b', 8);
    s.Put(0b10, 2).Put(0, 1).Put(0b0, 1).Put(1, 9);         // length code 1 (+2), distance 1 + 1
    s.Put(0x7F, 7).Put(0x7F, 7).Put(0, 1).Put(0, 9);        // length code 254, distance 0 + 1
    const Bytes out = DecodeBytes(s.bytes, 2 + 3 + 256, Arj4Decode).bytes;
    Bytes want = {'a', 'b', 'a', 'b', 'a'};
    want.insert(want.end(), 256, 'a');
    EXPECT_EQ(out, want);

    MsbBits tooFar;  // one literal, then a distance of 2
    tooFar.Put(0, 1).Put('a', 8).Put(0b10, 2).Put(0, 1).Put(0, 1).Put(1, 9);
    EXPECT_EQ(RaisedId([&] { DecodeBytes(tooFar.bytes, 10, Arj4Decode); }), eBadBlock);
    EXPECT_EQ(RaisedId([&] { DecodeBytes(Bytes{}, 10, Arj4Decode); }), eBadBlock);
}

}  // namespace
}  // namespace kv::arc::test
