#include <gtest/gtest.h>

#include "DecoderTestSupport.h"
#include "archive/decoders/ArcFormatDecode.h"

namespace kv::arc::test {
namespace {

Decoded DecodeArc(const Bytes& archive, const PackedMember& m) {
    return DecodeMember(archive, m, DecodedOutput::Check::Crc16,
                        [&](PackedInput& in, DecodedOutput& out) { ArcDecode(in, out, m.method); });
}

struct ArcCase {
    const char* archive;
    const char* expectedPrefix;  // expected/<prefix>_<member>; empty: the payload files; null: CRC only
};

TEST(ArcDecode, RealArchivesMatchTheirCrcAndWhatNomarchExtracts) {
    const ArcCase cases[] = {
        {"historic/unarc-rs/tests/arc/store.arc", nullptr},
        {"historic/unarc-rs/tests/arc/cpm.arc", "unarc-rs_tests_arc_cpm.arc"},  // packed (3), squeezed (4)
        {"historic/unarc-rs/tests/arc/crunch.arc", "unarc-rs_tests_arc_crunch.arc"},
        {"historic/unarc-rs/tests/arc/squashed.arc", "unarc-rs_tests_arc_squashed.arc"},
        {"historic/defacto2-archive/testdata/ARC601.ARC", nullptr},  // SEA ARC 6.01, crunched (8)
        {"decoders/crunch.arc", ""},  // Debian's arc: crunched, squeezed, stored
        {"decoders/squash.arc", ""},
    };
    for (const ArcCase& c : cases) {
        SCOPED_TRACE(c.archive);
        const Bytes archive = ReadFixture(c.archive);
        const auto members = ArcMembers(archive);
        ASSERT_FALSE(members.empty());
        for (const PackedMember& m : members) {
            SCOPED_TRACE(m.name);
            const Decoded d = DecodeArc(archive, m);
            EXPECT_EQ(d.crc, m.crc);
            EXPECT_EQ(d.bytes.size(), m.unpacked);
            if (c.expectedPrefix == nullptr) continue;
            const std::string expected = *c.expectedPrefix ? std::string("decoders/expected/") + c.expectedPrefix + "_" + m.name : "";
            EXPECT_EQ(d.bytes, ExpectedContent(expected, m.name));
        }
    }
}

// No packaged archiver writes methods 5-7; these archives come from our own small
// encoder, and nomarch (5, 6) and arc (5-7) extract them to the same files.
TEST(ArcDecode, CrunchedMethodsFiveToSevenMatchWhatTheRealToolsExtract) {
    for (int method : {5, 6, 7}) {
        SCOPED_TRACE(method);
        const Bytes archive = ReadFixture("crunch/crunch" + std::to_string(method) + ".arc");
        const auto members = ArcMembers(archive);
        ASSERT_EQ(members.size(), 6u);
        for (const PackedMember& m : members) {
            SCOPED_TRACE(m.name);
            EXPECT_EQ(m.method, method);
            const Decoded d = DecodeArc(archive, m);
            EXPECT_EQ(d.crc, m.crc);
            // The empty and one-byte members lie beside the archives, the rest are the payload files.
            const std::string small = m.name == "EMPTY.DAT" ? "crunch/empty.dat" : m.name == "ONE.DAT" ? "crunch/one.dat" : "";
            EXPECT_EQ(d.bytes, ExpectedContent(small, m.name));
        }
    }
}

Bytes Unpack(int method, const Bytes& packed, std::uint64_t unpacked) {
    return DecodeBytes(packed, unpacked, [&](PackedInput& in, DecodedOutput& out) { ArcDecode(in, out, method); })
        .bytes;
}

int Raised(int method, const Bytes& packed, std::uint64_t unpacked) {
    return RaisedId([&] { Unpack(method, packed, unpacked); });
}

TEST(ArcDecode, RunLengthStage) {
    EXPECT_EQ(Unpack(3, {'a', 0x90, 0x00, 'b'}, 3), (Bytes{'a', 0x90, 'b'}));
    EXPECT_EQ(Unpack(3, {'a', 0x90, 0x04, 'b'}, 5), (Bytes{'a', 'a', 'a', 'a', 'b'}));
    // A run that would pass the declared size is damage, not more output.
    EXPECT_EQ(Raised(3, {'a', 0x90, 0xFF}, 10), eBadBlock);
    // Method 1 and 2 copy; data shorter than declared is damage.
    EXPECT_EQ(Unpack(1, {0x90, 0x00}, 2), (Bytes{0x90, 0x00}));
    EXPECT_EQ(Raised(2, {'a'}, 2), eBadBlock);
}

TEST(ArcDecode, DamagedHeadersAndCodes) {
    Bytes tooManyNodes = {0x01, 0x01};  // 257 nodes
    Bytes childOutOfRange = {0x01, 0x00, 0x05, 0x00, 0xFF, 0xFF};  // one node, child 5
    Bytes loopingTree = {0x01, 0x00, 0x00, 0x00, 0x00, 0x00, 0xFF};  // node 0 leads to itself
    LsbBits undefined;  // squash: 'a' then code 300 while 257 is the next free one
    undefined.Put('a', 9).Put(300, 9);
    struct Case {
        const char* what;
        int method;
        Bytes packed;
        int id;
    } const cases[] = {
        {"squeeze tree of 257 nodes", 4, tooManyNodes, eInvalidDecodeTree},
        {"squeeze child beyond the tree", 4, childOutOfRange, eInvalidDecodeTree},
        {"squeeze tree without leaves", 4, loopingTree, eBadBlock},
        {"crunch header asks for 13 bits", 8, {13, 0x61, 0x00}, eIncorrectBits},
        {"squash code not yet defined", 9, undefined.bytes, eBadBlock},
        {"squash data ends early", 9, {'a', 0x00}, eBadBlock},
        {"unknown method", 10, {0x00}, eUnsupportedMethod},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(Raised(c.method, c.packed, 100), c.id);
    }
}

TEST(ArcDecode, CutOrFlippedRealDataNeverOverrunsOrHangs) {
    for (const char* name : {"historic/unarc-rs/tests/arc/cpm.arc", "decoders/crunch.arc", "decoders/squash.arc",
                             "crunch/crunch6.arc", "crunch/crunch7.arc"}) {
        const Bytes archive = ReadFixture(name);
        for (const PackedMember& m : ArcMembers(archive)) {
            SCOPED_TRACE(std::string(name) + " " + m.name);
            const Bytes good = DecodeArc(archive, m).bytes;
            PackedMember cut = m;
            cut.packed = m.packed / 2;
            ExpectDamageNoticed([&] { return DecodeArc(archive, cut); }, m, good);
            for (std::size_t at = 0; at < m.packed; at += 499) {
                SCOPED_TRACE(at);
                Bytes flipped = archive;
                flipped[static_cast<std::size_t>(m.dataPos) + at] ^= 0x08;
                ExpectDamageNoticed([&] { return DecodeArc(flipped, m); }, m, good);
            }
        }
    }
}

}  // namespace
}  // namespace kv::arc::test
