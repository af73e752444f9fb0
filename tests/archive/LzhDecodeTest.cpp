#include <gtest/gtest.h>

#include "DecoderTestSupport.h"
#include "archive/ArcError.h"
#include "archive/decoders/LzhDecode.h"

namespace kv::arc::test {
namespace {

struct LzhCase {
    const char* archive;
    char format;  // 'L' LHA, 'J' ARJ, 'Z' ZOO
    int method;
    int dictionaryBits;
    int positionCountBits;
    const char* expected;  // a file every member equals; empty: the payload file of the member's name
};

class LzhArchives : public ::testing::TestWithParam<LzhCase> {};

TEST_P(LzhArchives, EveryMemberMatchesItsCrcAndTheRealToolsOutput) {
    const LzhCase& c = GetParam();
    const Bytes archive = ReadFixture(c.archive);
    const auto members = c.format == 'L' ? LhaMembers(archive) : c.format == 'J' ? ArjMembers(archive)
                                                                                 : ZooMembers(archive);
    const auto check = c.format == 'J' ? DecodedOutput::Check::Crc32 : DecodedOutput::Check::Crc16;
    int decoded = 0;
    for (const PackedMember& m : members) {
        if (m.method != c.method) continue;
        SCOPED_TRACE(m.name);
        const Decoded d = DecodeMember(archive, m, check, [&](PackedInput& in, DecodedOutput& out) {
            LzhDecode(in, out, c.dictionaryBits, c.positionCountBits);
        });
        EXPECT_EQ(d.crc, m.crc);
        EXPECT_EQ(d.bytes, ExpectedContent(c.expected, m.name));
        ++decoded;
    }
    EXPECT_GT(decoded, 0);
}

const char* const kGpl = "decoders/expected/lhasa_archives_lharc113_lh1.lzh_gpl-2";
const char* const kLicense = "decoders/expected/unarc-rs_tests_arj_method1.arj_LICENSE";

INSTANTIATE_TEST_SUITE_P(
    Real, LzhArchives,
    ::testing::Values(LzhCase{"historic/lhasa/archives/lha_amiga_122/lh4.lzh", 'L', 4, 12, 4, kGpl},
                      LzhCase{"historic/lhasa/archives/lha213/lh5.lzh", 'L', 5, 13, 4, kGpl},
                      LzhCase{"historic/lhasa/archives/lha_os2_208/h3_lh5.lzh", 'L', 5, 13, 4, kGpl},
                      LzhCase{"historic/lhasa/archives/lha_unix114i/h1_lh6.lzh", 'L', 6, 15, 5, kGpl},
                      LzhCase{"historic/lhasa/archives/explzh_723/h2_lh7.lzh", 'L', 7, 16, 5, kGpl},
                      LzhCase{"decoders/lh5.lzh", 'L', 5, 13, 4, ""},
                      LzhCase{"decoders/lh6.lzh", 'L', 6, 15, 5, ""},
                      LzhCase{"decoders/lh7.lzh", 'L', 7, 16, 5, ""},
                      LzhCase{"historic/unarc-rs/tests/arj/method1.arj", 'J', 1, 16, 5, kLicense},
                      LzhCase{"historic/unarc-rs/tests/arj/method2.arj", 'J', 2, 16, 5, kLicense},
                      LzhCase{"historic/unarc-rs/tests/arj/method3.arj", 'J', 3, 16, 5, kLicense},
                      LzhCase{"decoders/arj-m1.arj", 'J', 1, 16, 5, ""},
                      LzhCase{"decoders/arj-m2.arj", 'J', 2, 16, 5, ""},
                      LzhCase{"decoders/arj-m3.arj", 'J', 3, 16, 5, ""},
                      LzhCase{"historic/unarc-rs/tests/zoo/high_per.zoo", 'Z', 2, 13, 4, kLicense}));

void Lh5(PackedInput& in, DecodedOutput& out) { LzhDecode(in, out, 13, 4); }

// The block header of a one-block -lh5- stream whose three trees are single constant codes.
MsbBits ConstantBlock(int literal, int position) {
    MsbBits b;
    b.Put(1000, 16);        // codes in the block
    b.Put(0, 5).Put(0, 5);  // pre-tree: constant
    b.Put(0, 9).Put(static_cast<std::uint32_t>(literal), 9);
    b.Put(0, 4).Put(static_cast<std::uint32_t>(position), 4);
    return b;
}

TEST(LzhDecode, ConstantCodesTakeNoBitsAndStopAtTheDeclaredSize) {
    // A literal code of no bits: a bomb that could fill a disk, stopped by the declared size.
    EXPECT_EQ(DecodeBytes(ConstantBlock('A', 0).bytes, 5, Lh5).bytes, Bytes(5, 'A'));
}

TEST(LzhDecode, DamagedStreamsRaiseTheirMessage) {
    struct Case {
        const char* what;
        MsbBits stream;
        int id;
    };
    MsbBits preOverfull;
    preOverfull.Put(1, 16).Put(19, 5);
    for (int i = 0; i < 19; ++i) {
        preOverfull.Put(1, 3);
        if (i == 2) preOverfull.Put(0, 2);
    }
    MsbBits literalCount;
    literalCount.Put(1, 16).Put(0, 5).Put(0, 5).Put(511, 9);
    MsbBits zeroRunPastCount;  // pre-tree constant 2: a run of 20 or more zero lengths in a table of 5
    zeroRunPastCount.Put(1, 16).Put(0, 5).Put(2, 5).Put(5, 9).Put(0, 9);
    MsbBits constantOutOfRange;
    constantOutOfRange.Put(1, 16).Put(0, 5).Put(19, 5);
    const Case cases[] = {
        {"pre-tree lengths over-full", preOverfull, eBadHuffmanCode},
        {"literal count above 510", literalCount, eBadHuffmanCode},
        {"zero run beyond the count", zeroRunPastCount, eBadHuffmanCode},
        {"constant pre-tree code beyond 19", constantOutOfRange, eBadHuffmanCode},
        {"match before the first byte", ConstantBlock(256, 0), eBadBlock},
        {"constant literal code beyond 510", ConstantBlock(510, 0), eBadHuffmanCode},
        {"empty input", MsbBits(), eBadBlock},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(RaisedId([&] { DecodeBytes(c.stream.bytes, 100, Lh5); }), c.id);
    }
}

TEST(LzhDecode, TruncatedArchiveFailsInsteadOfHanging) {
    const Bytes archive = ReadFixture("historic/lhasa/archives/regression/truncated.lzh");
    const auto members = LhaMembers(archive);
    ASSERT_FALSE(members.empty());
    EXPECT_EQ(RaisedId([&] { DecodeMember(archive, members[0], DecodedOutput::Check::Crc16, Lh5); }), eBadBlock);
}

TEST(LzhDecode, CutAnywhereOrFlippedNeverOverrunsOrHangs) {
    const Bytes archive = ReadFixture("decoders/lh5.lzh");
    PackedMember m = LhaMembers(archive)[1];
    for (std::uint64_t cut : {std::uint64_t{0}, std::uint64_t{1}, m.packed / 2, m.packed - 1}) {
        PackedMember shorter = m;
        shorter.packed = cut;
        std::uint32_t crc = m.crc;
        const int id = RaisedId([&] { crc = DecodeMember(archive, shorter, DecodedOutput::Check::Crc16, Lh5).crc; });
        EXPECT_TRUE(id != 0 || crc != m.crc) << cut;
    }
    const Bytes good = DecodeMember(archive, m, DecodedOutput::Check::Crc16, Lh5).bytes;
    for (std::size_t at = 0; at < m.packed; at += 3) {
        SCOPED_TRACE(at);
        Bytes flipped = archive;
        flipped[static_cast<std::size_t>(m.dataPos) + at] ^= 0x10;
        ExpectDamageNoticed([&] { return DecodeMember(flipped, m, DecodedOutput::Check::Crc16, Lh5); }, m, good);
    }
}

}  // namespace
}  // namespace kv::arc::test
