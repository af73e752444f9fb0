#include "shell/settings/SettingsValues.h"

#include <gtest/gtest.h>

namespace kv {
namespace {

using Bytes = std::vector<std::uint8_t>;

TEST(FontValue, WritesItsLayoutWithAZeroPad) {
    const Bytes bytes = EncodeFontValue(FontData{-15, 0xF3, "Arial"});
    EXPECT_EQ(bytes, (Bytes{0xF1, 0xFF, 0xFF, 0xFF, 0x03, 5, 'A', 'r', 'i', 'a', 'l', 0}));
    EXPECT_EQ(DecodeFontValue(bytes), (FontData{-15, 3, "Arial"}));

    const FontData longName{300, 1, std::string(300, 'x')};
    const Bytes full = EncodeFontValue(longName);
    ASSERT_EQ(full.size(), kMaxFontValueSize);
    EXPECT_EQ(DecodeFontValue(full), (FontData{300, 1, std::string(254, 'x')}));  // so the pad still fits
}

TEST(FontValue, ReadsOnlyWhatIsStored) {
    // A name length past the end gives the characters that are there.
    EXPECT_EQ(DecodeFontValue(Bytes{12, 0, 0, 0, 2, 20, 'S', 'y', 's', 't'}), (FontData{12, 2, "Syst"}));
    EXPECT_EQ(DecodeFontValue(Bytes{12, 0, 0, 0, 2, 0}), (FontData{12, 2, ""}));
    EXPECT_EQ(DecodeFontValue(Bytes{12, 0, 0, 0, 2}), std::nullopt);
    EXPECT_EQ(DecodeFontValue(Bytes{}), std::nullopt);
}

TEST(DescOrder, OnlyAPermutationOfTheFourSourcesIsTaken) {
    using D = DescSource;
    const std::array<D, 4> order{D::ArchiveComment, D::FileIdDiz, D::DescriptIon, D::FilesBbs};
    EXPECT_EQ(EncodeDescOrder(order), (Bytes{3, 0, 2, 1}));
    EXPECT_EQ(DecodeDescOrder(Bytes{3, 0, 2, 1}), order);
    for (const Bytes& bad : {Bytes{0, 0, 1, 2}, Bytes{0, 1, 2, 255}, Bytes{0, 1, 2, 4}, Bytes{0, 1, 2}})
        EXPECT_EQ(DecodeDescOrder(bad), std::nullopt) << bad.size();
}

TEST(CommaText, QuotesWhatNeedsItAndReadsItBack) {
    const std::vector<std::string> items{"C:\\Cat\\a.ctf", "C:\\My Cats\\b.ctf", "x,y", "say \"hi\"", " lead"};
    const std::string text = ToCommaText(items);
    EXPECT_EQ(text, "C:\\Cat\\a.ctf,\"C:\\My Cats\\b.ctf\",\"x,y\",\"say \"\"hi\"\"\",\" lead\"");
    EXPECT_EQ(FromCommaText(text), items);
    EXPECT_EQ(ToCommaText({}), "");
}

TEST(CommaText, SplitsAtCommasOnlyAndSkipsEmptyItems) {
    const std::vector<std::pair<std::string, std::vector<std::string>>> cases{
        {"", {}},
        {"a, b ,,c", {"a", "b", "c"}},
        {"two words,x", {"two words", "x"}},
        {"\"a\"\"b\" tail,\"\"", {"a\"b tail"}},
        {"\"open", {"open"}},
    };
    for (const auto& [text, items] : cases) EXPECT_EQ(FromCommaText(text), items) << text;
}

}  // namespace
}  // namespace kv
