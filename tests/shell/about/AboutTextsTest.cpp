#include "shell/about/AboutTexts.h"

#include <gtest/gtest.h>

#include <set>

namespace kv {
namespace {

TEST(AboutTexts, VersionAndMemory) {
    EXPECT_EQ(OsVersionText(4, 0, 1381), "Version 4.00.1381");
    EXPECT_EQ(OsVersionText(10, 0, 19045), "Version 10.00.19045");
    EXPECT_EQ(OsVersionText(4, 10, 0x040A0AE6), "Version 4.10.2790");
    EXPECT_EQ(OsNameText(1), "Windows 95");
    EXPECT_EQ(OsNameText(2), "Windows NT");
    EXPECT_EQ(FreeMemoryText(512, 1024), "512 B (50%)");
    EXPECT_EQ(FreeMemoryText(1024, 1024), "1 kB (100%)");
    EXPECT_EQ(FreeMemoryText(2, 3), "2 B (67%)");
    EXPECT_EQ(FreeMemoryText(5, 0), "5 B (0%)");
}

TEST(AboutTexts, TipsWrapAround) {
    EXPECT_EQ(NextTip(10), 1);
    EXPECT_EQ(NextTip(3), 4);
    EXPECT_EQ(PreviousTip(1), 10);
    std::set<std::string> texts;
    for (int i = 1; i <= kTipCount; ++i)
        texts.insert(TipText(i));
    EXPECT_EQ(texts.size(), 10u);
}

}  // namespace
}  // namespace kv
