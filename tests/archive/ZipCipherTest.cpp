#include "archive/decoders/ZipCipher.h"

#include <gtest/gtest.h>

#include "ZipFixture.h"
#include "archive/ArcError.h"

namespace kv::arc::test {
namespace {

std::span<const std::uint8_t, ZipCipher::kHeaderSize> Header(const Bytes& zip, const ZipEntry& e) {
    return std::span<const std::uint8_t, ZipCipher::kHeaderSize>(zip.data() + e.data, ZipCipher::kHeaderSize);
}

TEST(ZipCipher, ZipMadeMembersWithTheTimeCheckByte) {
    Bytes text = ZipDecoderFixture("expected/made/text.txt");
    Bytes small = ZipDecoderFixture("expected/made/small.txt");
    Bytes zip = ZipDecoderFixture("made/secret.zip");
    auto entries = ZipEntries(zip);
    for (const auto& e : entries) {
        SCOPED_TRACE(e.name);
        ASSERT_EQ(e.flags & 0x09, 0x09);  // encrypted, sizes in a data descriptor
        EXPECT_TRUE(CheckZipPassword(Header(zip, e), e.flags, e.time, e.crc, "korvalder"));
        for (const char* wrong : {"", "Korvalder", "korvalde", "korvalder "})
            EXPECT_FALSE(CheckZipPassword(Header(zip, e), e.flags, e.time, e.crc, wrong)) << wrong;
        // without bit 3 the check byte is the CRC's, which this header does not carry
        EXPECT_FALSE(CheckZipPassword(Header(zip, e), e.flags & ~0x08, e.time, e.crc, "korvalder"));
    }
    EXPECT_EQ(DecodeEntry(zip, FindEntry(entries, "text.txt"), "korvalder").bytes, text);
    EXPECT_EQ(DecodeEntry(zip, FindEntry(entries, "small.txt"), "korvalder").bytes, small);

    Bytes stored = ZipDecoderFixture("made/secret-stored.zip");
    ZipEntry e = ZipEntries(stored).at(0);
    ASSERT_EQ(e.method, 0);
    EXPECT_EQ(DecodeEntry(stored, e, "korvalder").bytes, small);
}

TEST(ZipCipher, MembersWithTheCrcCheckByte) {
    Bytes zip = HistoricFixture("sharpcompress/Archives/zipcrypto.zip");
    auto entries = ZipEntries(zip);
    ASSERT_EQ(entries.size(), 8u);
    for (const auto& e : entries) {
        SCOPED_TRACE(e.name);
        ASSERT_EQ(e.flags & 0x09, 0x01);
        EXPECT_FALSE(CheckZipPassword(Header(zip, e), e.flags, e.time, e.crc, "tesT"));
        Decoded d = DecodeEntry(zip, e, "test");
        EXPECT_EQ(d.bytes.size(), e.size);
        EXPECT_EQ(d.crc, e.crc);
    }
    EXPECT_EQ(DecodeEntry(zip, FindEntry(entries, "brown.txt"), "test").bytes, (Bytes{'b', 'r', 'o', 'w', 'n', '\n'}));
}

}  // namespace
}  // namespace kv::arc::test
