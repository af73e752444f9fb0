#include "base/text/CounterSuffix.h"
#include "base/text/DateText.h"
#include "base/text/FileNameText.h"
#include "base/text/TextPadding.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace kv {
namespace {

TEST(TextPadding, Widths) {
    EXPECT_EQ(Spaces(3), "   ");
    EXPECT_EQ(Spaces(-1), "");
    EXPECT_EQ(RepeatChar('-', 4), "----");
    EXPECT_EQ(PadRight("ab", 5), "ab   ");
    EXPECT_EQ(PadLeft("ab", 5), "   ab");
    EXPECT_EQ(CenterText("ab", 5), " ab  ");
    EXPECT_EQ(CenterText("ab", 6), "  ab  ");
    for (int width : {-3, 0, 2, 3}) {  // too narrow: the text is never cut
        SCOPED_TRACE(width);
        EXPECT_EQ(PadRight("abc", width), "abc");
        EXPECT_EQ(PadLeft("abc", width), "abc");
        EXPECT_EQ(CenterText("abc", width), "abc");
    }
}

TEST(CounterSuffix, AddAndStrip) {
    EXPECT_EQ(AddCounterSuffix("Disk", 2), "Disk (2)");
    EXPECT_EQ(AddCounterSuffix("Disk", 10), "Disk (10)");
    EXPECT_EQ(AddCounterSuffix("Disk", 1), "Disk");
    EXPECT_EQ(AddCounterSuffix("Disk", -4), "Disk");

    const std::pair<const char*, const char*> strips[] = {
        {"Disk (2)", "Disk"},          {"Disk (10)", "Disk"},
        {"Disk (1)", "Disk (1)"},      {"Disk (x)", "Disk (x)"},
        {"Disk (02)", "Disk (02)"},    {"Disk ()", "Disk ()"},
        {"Disk(2)", "Disk(2)"},        {"Disk (2) b", "Disk (2) b"},
        {"A (3) (4)", "A (3)"},        {"Disk (99999999999999999999)", "Disk"},
        {")", ")"},                    {"", ""},
    };
    for (const auto& [in, out] : strips) {
        SCOPED_TRACE(in);
        EXPECT_EQ(StripCounterSuffix(in), out);
    }
}

TEST(FileNameText, ExtensionAndValidName) {
    EXPECT_EQ(GetExtNoDot("A.B.TXT"), "TXT");
    EXPECT_EQ(GetExtNoDot("README"), "");
    EXPECT_EQ(GetExtNoDot("A."), "");
    EXPECT_EQ(GetExtNoDot("DIR.X\\FILE"), "");
    EXPECT_EQ(GetExtNoDot("dir.x/file"), "");
    EXPECT_EQ(GetExtNoDot(".profile"), "profile");

    std::string name = "a\\b/c:d*e?f\"g<h>i|j\tk.ctf";
    MakeValidFileName(name);
    EXPECT_EQ(name, "a_b_c_d_e_f_g_h_i_j_k.ctf");
}

TEST(FileDateToStr, ValidInvalidAndFormatter) {
    EXPECT_EQ(FileDateToStr(0x585D6DAF), "2024-02-29 13:45");
    EXPECT_EQ(FileDateToStr(0x00210000), "1980-01-01 00:00");
    EXPECT_EQ(FileDateToStr(0), "");
    EXPECT_EQ(FileDateToStr(0x59BD6DAF), "");  // month 13
    EXPECT_EQ(FileDateToStr(0x585DC000), "");  // hour 24
    const DateTimeFormatter format = [](const DateTime& t) { return std::to_string(t.second); };
    EXPECT_EQ(FileDateToStr(0x585D6DAF, format), "30");
    EXPECT_EQ(FileDateToStr(0, format), "");
}

}  // namespace
}  // namespace kv
