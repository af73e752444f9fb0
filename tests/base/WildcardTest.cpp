#include "base/text/Wildcard.h"

#include <gtest/gtest.h>

#include <random>
#include <string>

namespace kv {
namespace {

TEST(MatchWildcard, Table) {
    struct Case {
        std::string name;
        std::string mask;
        bool matches;
    };
    const Case cases[] = {
        {"README", "*.", true},
        {"READ.ME", "*.", false},
        {"README", "*.*", true},
        {"README", "*.TXT", false},
        {"README", "README.", false},  // only a star before the dot stands for a missing extension
        {"", "*.", true},
        {"A.B.TXT", "*.TXT", true},  // backtracks past the first dot
        {"A.B.TXT", "*.B", false},
        {"XAAB", "*AB", true},
        {"MISSISSIPPI", "M*SS*PI", true},
        {"MISSISSIPPI", "M*SS*PX", false},
        {"A.B.C", "*.*.*", true},
        {"FILE.TXT", "F?LE.*", true},
        {"FLE.TXT", "F?LE.*", false},
        {"ANY.THING", "*", true},
        {"", "*", true},
        {"", "**", true},
        {"ABC", "**", true},
        {"ABC", "*?", true},
        {"", "*?", false},
        {"", "?", false},
        {"", "", true},
        {"A", "", false},
        {"AB", "ABC", false},  // mask longer than the name
        {"AB", "AB*", true},
        {"ABC", "A?", false},
        {"readme.txt", "README.TXT", true},  // the name is upper-cased
        {"README.TXT", "readme.txt", false},  // the mask is not
        {"\xE9t\xE9.doc", "\xC9T\xC9.DOC", true},  // Windows-1252 letters
        {"\xE9t\xE9.doc", "\xE9T\xE9.DOC", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name + " / " + c.mask);
        EXPECT_EQ(MatchWildcard(c.name, c.mask, cp1252CaseMap()), c.matches);
    }
}

TEST(MatchWildcard, LongNamesAndManyStars) {
    const std::string longName = std::string(1000, 'X') + ".TXT";
    EXPECT_TRUE(MatchWildcard(longName, "*.TXT", cp1252CaseMap()));
    EXPECT_TRUE(MatchWildcard(longName, "X*X?TXT", cp1252CaseMap()));
    EXPECT_FALSE(MatchWildcard(longName, "*Y*", cp1252CaseMap()));

    std::string mask;
    for (int i = 0; i < 40; ++i)
        mask += "*A";
    EXPECT_FALSE(MatchWildcard(std::string(300, 'A'), mask + "*B", cp1252CaseMap()));
    EXPECT_TRUE(MatchWildcard(std::string(300, 'A') + "B", mask + "*B", cp1252CaseMap()));
}

// The rules written the plain way: fold, add the "*."-dot, then try every
// split at each star.
bool PlainMatch(std::string_view name, std::string_view mask) {
    if (mask.empty())
        return name.empty();
    if (mask[0] == '*') {
        for (std::size_t skip = 0; skip <= name.size(); ++skip) {
            if (PlainMatch(name.substr(skip), mask.substr(1)))
                return true;
        }
        return false;
    }
    return !name.empty() && (mask[0] == '?' || mask[0] == name[0]) && PlainMatch(name.substr(1), mask.substr(1));
}

bool ReferenceMatch(std::string_view name, std::string_view mask) {
    std::string folded = upperCase(name, cp1252CaseMap());
    if (folded.find('.') == std::string::npos && mask.find("*.") != std::string_view::npos)
        folded += '.';
    return PlainMatch(folded, mask);
}

TEST(MatchWildcard, AgreesWithPlainBacktrackingOnRandomNamesAndMasks) {
    static const char nameBytes[] = {'A', 'a', 'B', 'b', '.', '\xE9', '\xC9', 'X'};
    static const char maskBytes[] = {'A', 'B', '.', '?', '*', '*', '\xC9', '\xE9'};
    std::mt19937 rng(7);
    auto text = [&](const char* bytes, std::size_t count, std::size_t maxLength) {
        std::string s(rng() % (maxLength + 1), ' ');
        for (char& c : s)
            c = bytes[rng() % count];
        return s;
    };
    for (int i = 0; i < 20000; ++i) {
        const std::string mask = text(maskBytes, sizeof maskBytes, 7);
        const WildcardMask compiled(mask);
        for (int j = 0; j < 10; ++j) {
            const std::string name = text(nameBytes, sizeof nameBytes, 9);
            const bool expected = ReferenceMatch(name, mask);
            ASSERT_EQ(compiled.Matches(name, cp1252CaseMap()), expected) << name << " / " << mask;
            ASSERT_EQ(MatchWildcard(name, mask, cp1252CaseMap()), expected) << name << " / " << mask;
        }
    }
}

TEST(SplitMaskList, SplitsAtCommasAndSemicolonsAndTrims) {
    using Masks = std::vector<std::string>;
    EXPECT_EQ(SplitMaskList("*.txt,*.doc"), (Masks{"*.txt", "*.doc"}));
    EXPECT_EQ(SplitMaskList(" *.txt ; a b.* ,"), (Masks{"*.txt", "a b.*"}));
    EXPECT_EQ(SplitMaskList("*?"), (Masks{"*?"}));
    EXPECT_EQ(SplitMaskList(" ,; "), Masks{});
}

TEST(CleanMaskList, DropsSeparatorsAndRedundantWildcards) {
    EXPECT_EQ(CleanMaskList("*.TXT,*.DOC"), "*.TXT*.DOC");
    EXPECT_EQ(CleanMaskList("A\\B/C"), "ABC");
    EXPECT_EQ(CleanMaskList("***.*"), "*.*");
    EXPECT_EQ(CleanMaskList("*?X*??"), "*X*");
    EXPECT_EQ(CleanMaskList("?*"), "?*");
    EXPECT_EQ(CleanMaskList(",/\\"), "");
}

}  // namespace
}  // namespace kv
