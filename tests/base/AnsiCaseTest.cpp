#include "base/text/AnsiCase.h"

#include <gtest/gtest.h>

#include <map>


namespace kv {
namespace {

// Windows-1252 written out: capital -> small.
std::map<int, int> cp1252Pairs() {
    std::map<int, int> pairs = {{0x8A, 0x9A}, {0x8C, 0x9C}, {0x8E, 0x9E}, {0x9F, 0xFF}};
    for (int c = 'A'; c <= 'Z'; ++c) pairs[c] = c - 'A' + 'a';
    for (int c = 0xC0; c <= 0xD6; ++c) pairs[c] = c - 0xC0 + 0xE0;  // À..Ö / à..ö
    for (int c = 0xD8; c <= 0xDE; ++c) pairs[c] = c - 0xD8 + 0xF8;  // Ø..Þ / ø..þ
    return pairs;
}

TEST(AnsiCase, Cp1252TableAgreesWithTheCodePageForEveryByte) {
    const CaseMap& m = cp1252CaseMap();
    const auto pairs = cp1252Pairs();
    std::map<int, int> smallToCapital;
    for (auto [up, low] : pairs) smallToCapital[low] = up;
    // ƒ ª µ º ß
    const std::map<int, bool> smallWithoutCapital = {{0x83, true}, {0xAA, true}, {0xB5, true}, {0xBA, true}, {0xDF, true}};

    for (int c = 0; c < 256; ++c) {
        SCOPED_TRACE(c);
        auto b = static_cast<unsigned char>(c);
        if (auto it = pairs.find(c); it != pairs.end()) {
            EXPECT_EQ(m.upper[c], c);
            EXPECT_EQ(m.lower[c], it->second);
            EXPECT_TRUE(m.isUpper(b));
            EXPECT_FALSE(m.isLower(b));
            EXPECT_TRUE(m.isAlpha(b));
        } else if (auto it = smallToCapital.find(c); it != smallToCapital.end()) {
            EXPECT_EQ(m.upper[c], it->second);
            EXPECT_EQ(m.lower[c], c);
            EXPECT_FALSE(m.isUpper(b));
            EXPECT_TRUE(m.isLower(b));
            EXPECT_TRUE(m.isAlpha(b));
        } else {
            EXPECT_EQ(m.upper[c], c);
            EXPECT_EQ(m.lower[c], c);
            EXPECT_FALSE(m.isUpper(b));
            EXPECT_EQ(m.isLower(b), smallWithoutCapital.count(c) == 1);
            EXPECT_EQ(m.isAlpha(b), smallWithoutCapital.count(c) == 1 || c == 0x88);
        }
    }
}

TEST(AnsiCase, MapsWholeTexts) {
    const CaseMap& m = cp1252CaseMap();
    EXPECT_EQ(upperCase("Stra\xDF" "e \xE9t\xE9 \xFF\xF7 x1", m), "STRA\xDF" "E \xC9T\xC9 \x9F\xF7 X1");
    EXPECT_EQ(lowerCase("\xC6" "BLE \xD7 \x8C" "UVRE", m), "\xE6" "ble \xD7 \x9C" "uvre");
    EXPECT_EQ(upperCase(std::string("a\0b", 3), m), std::string("A\0B", 3));
    EXPECT_EQ(upperCase("", m), "");
    EXPECT_EQ(m.toUpper('q'), 'Q');
    EXPECT_EQ(m.toLower('\xDE'), '\xFE');
}

}  // namespace
}  // namespace kv
