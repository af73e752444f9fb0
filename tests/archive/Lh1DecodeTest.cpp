#include <gtest/gtest.h>

#include "DecoderTestSupport.h"
#include "archive/decoders/Lh1Decode.h"

namespace kv::arc::test {
namespace {

const char* const kGpl = "decoders/expected/lhasa_archives_lharc113_lh1.lzh_gpl-2";

// Every archiver's -lh1- output, among them the zero-length member. The text starts
// with tabs and spaces, so a decoder without the space-filled history fails here.
TEST(Lh1Decode, RealArchivesDecodeToWhatLhasaExtracts) {
    for (const char* archive :
         {"historic/lhasa/archives/lharc113/lh1.lzh", "historic/lhasa/archives/lha_os2_208/lh1.lzh",
          "historic/lhasa/archives/lhmelt_16536/h0_lh1.lzh", "historic/lhasa/archives/lha_osk_201/h1_lh1.lzh",
          "historic/lhasa/archives/lengths/lh1-0.lzh"}) {
        SCOPED_TRACE(archive);
        const Bytes bytes = ReadFixture(archive);
        const auto members = LhaMembers(bytes);
        ASSERT_EQ(members.size(), 1u);
        const PackedMember& m = members[0];
        ASSERT_EQ(m.method, 1);
        const Decoded d = DecodeMember(bytes, m, DecodedOutput::Check::Crc16, Lh1Decode);
        EXPECT_EQ(d.crc, m.crc);
        EXPECT_EQ(d.bytes, m.unpacked == 0 ? Bytes{} : ReadFixture(kGpl));
    }
}

TEST(Lh1Decode, TruncatedOrDamagedDataFailsCleanly) {
    const Bytes archive = ReadFixture("historic/lhasa/archives/lharc113/lh1.lzh");
    const PackedMember m = LhaMembers(archive)[0];
    PackedMember cut = m;
    cut.packed = m.packed / 2;
    EXPECT_EQ(RaisedId([&] { DecodeMember(archive, cut, DecodedOutput::Check::Crc16, Lh1Decode); }), eBadBlock);
    const Bytes expected = ReadFixture(kGpl);
    for (std::size_t at = 0; at + 1 < m.packed; at += 61) {
        Bytes flipped = archive;
        flipped[static_cast<std::size_t>(m.dataPos) + at] ^= 0x01;
        Bytes got;
        RaisedId([&] { got = DecodeMember(flipped, m, DecodedOutput::Check::Crc16, Lh1Decode).bytes; });
        EXPECT_NE(got, expected) << at;
    }
}

}  // namespace
}  // namespace kv::arc::test
