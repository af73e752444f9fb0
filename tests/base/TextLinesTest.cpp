#include "base/text/TextLines.h"

#include <gtest/gtest.h>

#include <string>

namespace kv {
namespace {

TEST(FindLineBreak, Forms) {
    struct Case {
        std::string text;
        std::size_t position, length;
    };
    const Case cases[] = {
        {"", 0, 0},          {"AB", 2, 0},        {"A\r\nB", 1, 2}, {"A\rB", 1, 1},
        {"A\nB", 1, 1},      {"A\n\rB", 1, 1},    {"A\r", 1, 1},    {"\r\n", 0, 2},
        {"AB\x1A\xFF", 4, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        const LineBreak br = FindLineBreak(c.text);
        EXPECT_EQ(br.position, c.position);
        EXPECT_EQ(br.length, c.length);
    }
}

TEST(TrimLines, Table) {
    const std::pair<std::string, std::string> cases[] = {
        {"  A \t\r\n\x1A B\xFF\nC\r", "A\r\nB\r\nC"},  // every break form, every trimmed character
        {"A\r\n\r\n \r\n", "A"},                       // no empty lines or break at the end
        {"\r\nA", "\r\nA"},
        {"A\r\n\r\nB", "A\r\n\r\nB"},
        {"A\n\rB", "A\r\n\r\nB"},  // LF CR is two breaks
        {"A \x01 B", "A \x01 B"},  // inside a line nothing changes
        {"\xFF\x1A\t ", ""},
        {"", ""},
    };
    for (const auto& [in, out] : cases) {
        SCOPED_TRACE(in);
        EXPECT_EQ(TrimLines(in), out);
    }
}

TEST(TrimTrailing, BlanksAndControlCharacters) {
    EXPECT_EQ(TrimTrailing("abc \t\r\n\x01\x1A"), "abc");
    EXPECT_EQ(TrimTrailing(" a b "), " a b");
    EXPECT_EQ(TrimTrailing("a\xFF"), "a\xFF");
    EXPECT_EQ(TrimTrailing(" \r\n"), "");
}

TEST(WrapText, Table) {
    struct Case {
        std::string text;
        std::size_t width, maxLines;
        std::string wrapped;
        bool cut;
    };
    const Case cases[] = {
        {"aaa bbb ccc", 7, 0, "aaa bbb\r\nccc", false},
        {"aaa bbb ccc", 8, 0, "aaa bbb\r\nccc", false},
        {"abc def", 3, 0, "abc\r\ndef", false},  // the blank just past the width
        {"ab   cd", 3, 0, "ab\r\ncd", false},    // blanks at a break go
        {"abcd   ", 4, 0, "abcd", false},
        {"aa\tbb", 3, 0, "aa\r\nbb", false},
        {"aaaaaaaaaa", 4, 0, "aaaa\r\naaaa\r\naa", false},  // a long word is split
        {" aaaaa", 3, 0, " aa\r\naaa", false},
        {"  ab", 10, 0, "  ab", false},  // indentation of a short line stays
        {"ab\ncd\r\n\r\nef\r", 10, 0, "ab\r\ncd\r\n\r\nef\r\n", false},
        {"abc", 0, 0, "a\r\nb\r\nc", false},
        {"a b c d", 1, 2, "a\r\nb", true},
        {"a b", 1, 2, "a\r\nb", false},
        {"a\r\n\r\n", 5, 1, "a", false},
        {"", 5, 0, "", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        const WrappedText w = WrapText(c.text, c.width, c.maxLines);
        EXPECT_EQ(w.text, c.wrapped);
        EXPECT_EQ(w.cut, c.cut);
    }
}

TEST(IsPrintableText, NothingBelowBlank) {
    EXPECT_TRUE(IsPrintableText(""));
    EXPECT_TRUE(IsPrintableText("abc \xE9\xFF"));
    EXPECT_FALSE(IsPrintableText("a\tb"));
    EXPECT_FALSE(IsPrintableText(std::string("a\0b", 3)));
}

}  // namespace
}  // namespace kv
