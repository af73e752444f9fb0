#include "base/text/OemBox.h"

#include <gtest/gtest.h>

#include <map>
#include <string>

namespace kv {
namespace {

TEST(OemBoxToAscii, ChangesExactlyTheBoxCharacters) {
    std::map<int, char> expected;
    for (int c : {0xB7, 0xB8, 0xBB, 0xBC, 0xBD, 0xBE, 0xBF, 0xC0, 0xC3, 0xC5, 0xC8,
                  0xC9, 0xCE, 0xD3, 0xD4, 0xD5, 0xD6, 0xD7, 0xD8, 0xD9, 0xDA})
        expected[c] = '+';
    for (int c : {0xC1, 0xC2, 0xC4, 0xCA, 0xCB, 0xCD, 0xCF, 0xD0, 0xD1, 0xD2})
        expected[c] = '-';
    for (int c : {0xB3, 0xB4, 0xB5, 0xB6, 0xB9, 0xBA, 0xC6, 0xC7, 0xCC})
        expected[c] = '|';
    for (int c : {0xB0, 0xB1, 0xB2, 0xDB, 0xDC, 0xDD, 0xDE, 0xDF, 0xF0})
        expected[c] = '#';
    expected[0xFA] = '\xB7';
    for (int c : {0xF8, 0xF9, 0xFE})
        expected[c] = '\x95';
    ASSERT_EQ(expected.size(), 53u);

    std::string text;
    for (int c = 0; c < 256; ++c)
        text += static_cast<char>(c);
    OemBoxToAscii(text);
    ASSERT_EQ(text.size(), 256u);
    for (int c = 0; c < 256; ++c) {
        SCOPED_TRACE(c);
        const auto it = expected.find(c);
        EXPECT_EQ(text[c], it != expected.end() ? it->second : static_cast<char>(c));
    }
}

}  // namespace
}  // namespace kv
