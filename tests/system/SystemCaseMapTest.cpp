// The case map of the code page the program runs under.
#include "system/SystemCaseMap.h"

#include <gtest/gtest.h>

#ifdef _WIN32
#include <windows.h>
#endif

namespace kv {
namespace {

// Natively the system code page is Windows-1252; under Windows it is whatever the
// system says, which agrees at least on ASCII.
TEST(SystemCaseMap, HandlesAscii) {
    const CaseMap& m = systemCaseMap();
#ifndef _WIN32
    EXPECT_EQ(&m, &cp1252CaseMap());
#endif
    EXPECT_EQ(upperCase("readme.txt", m), "README.TXT");
    EXPECT_EQ(lowerCase("\\DOS\\UTIL-1", m), "\\dos\\util-1");
    EXPECT_TRUE(m.isUpper('Q'));
    EXPECT_TRUE(m.isLower('q'));
    EXPECT_FALSE(m.isAlpha('1'));
    EXPECT_FALSE(m.isUpper('_'));
}

#ifdef _WIN32
// The hand-made table must say what Windows says for its own Western code page.
TEST(SystemCaseMap, OfCodePage1252IsTheTable) {
    if (GetACP() != 1252) GTEST_SKIP() << "ANSI code page " << GetACP();
    const CaseMap& system = systemCaseMap();
    const CaseMap& table = cp1252CaseMap();
    for (int c = 0; c < 256; ++c) {
        SCOPED_TRACE(c);
        EXPECT_EQ(system.upper[c], table.upper[c]);
        EXPECT_EQ(system.lower[c], table.lower[c]);
        EXPECT_EQ(system.flags[c], table.flags[c]);
    }
}
#endif

}  // namespace
}  // namespace kv
