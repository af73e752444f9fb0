#include "catalog/file/StoredText.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "CatalogBytes.h"
#include "Encoded.h"
#include "base/Errors.h"

namespace kv {
namespace {

using test::CatalogBytes;
using test::encoded;

// Shift-JIS lead bytes; its trail bytes include the lead range, so a cut must walk from the start.
LeadBytes shiftJis() {
    return LeadBytes::from([](std::uint8_t b) { return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC); });
}

TEST(StoredText, CutNeverSplitsADoubleByteCharacter) {
    struct Case {
        const char* what;
        std::string text;
        bool dbcs;
        std::size_t expected;
    } cases[] = {
        {"short text kept whole", "abc", true, 3},
        {"single-byte page cuts at the limit", "abc\x82\xA0", false, 4},
        {"lead byte at the limit is dropped", "abc\x82\xA0", true, 3},
        {"trail bytes that look like leads", "\x81\x81\x81\x81x", true, 4},
        {"pairs shifted by one", "a\x81\x81\x81\x81", true, 3},
        {"lone lead byte at the end of a text that fits", "abc\x82", true, 4},
    };
    for (const auto& c : cases)
        EXPECT_EQ(cutLength(c.text, 4, c.dbcs ? shiftJis() : LeadBytes{}), c.expected) << c.what;
}

TEST(StoredText, LongTextOver4096IsStoredCut) {
    const std::string text(5000, 'x');
    auto bytes = encoded([&](BufferedWriter& w) { EXPECT_EQ(writeLongText(w, text), 4096u); });
    EXPECT_EQ(bytes, CatalogBytes().longText(text.substr(0, 4096)).bytes());

    // 4095 single bytes and a double-byte character: keeping the lead byte alone would split it.
    const std::string dbcs = std::string(4095, 'a') + "\x82\xA0";
    auto cut = encoded([&](BufferedWriter& w) { EXPECT_EQ(writeLongText(w, dbcs, shiftJis()), 4095u); });
    EXPECT_EQ(cut, CatalogBytes().longText(dbcs.substr(0, 4095)).bytes());
}

TEST(StoredText, ShortTextIsStoredCutTo255) {
    const std::string name(300, 'n');
    auto bytes = encoded([&](BufferedWriter& w) { EXPECT_EQ(writeShortText(w, name), 255u); });
    EXPECT_EQ(bytes, CatalogBytes().shortText(name.substr(0, 255)).bytes());
}

TEST(StoredText, LongTextCountAbove4096IsDamage) {
    const std::string full(4097, 'z');
    auto atLimit = CatalogBytes().longText(full.substr(0, 4096)).bytes();
    BoundedReader ok(atLimit);
    EXPECT_EQ(readLongText(ok).size(), 4096u);

    // The count alone decides, before any text is read; reading and skipping agree.
    for (auto bytes : {CatalogBytes().longText(full).bytes(), CatalogBytes().u16(4097).bytes()}) {
        BoundedReader in(bytes);
        try {
            readLongText(in);
            ADD_FAILURE() << "count 4097 read";
        } catch (const EInvalidCatalog& e) {
            EXPECT_STREQ(e.what(), "String data too long!");
        }
        BoundedReader skip(bytes);
        EXPECT_THROW(skipLongText(skip), EInvalidCatalog);
    }
}

TEST(StoredText, CountPastTheDataIsTruncation) {
    auto longBytes = CatalogBytes().u16(10).raw("abc").bytes();
    auto shortBytes = CatalogBytes().u8(10).raw("abc").bytes();
    BoundedReader a(longBytes), b(longBytes), c(shortBytes);
    EXPECT_THROW(readLongText(a), ETruncated);
    EXPECT_THROW(skipLongText(b), ETruncated);
    EXPECT_THROW(readShortText(c), ETruncated);
}

}  // namespace
}  // namespace kv
