#include <gtest/gtest.h>

#include "report/MeasureCache.h"

namespace kv::report {
namespace {

// Counts the questions; a text's size depends on every input.
class CountingMeasurer : public TextMeasurer {
public:
    mutable int asked = 0;
    double TextWidth(const ReportFont& font, std::string_view text) const override {
        ++asked;
        return static_cast<double>(text.size() * 7 + font.size + font.style + font.name.size());
    }
    double TextHeight(const ReportFont& font, std::string_view text, double width, bool wrap) const override {
        ++asked;
        return static_cast<double>(text.size()) + font.size + width / 10 + (wrap ? 100 : 0);
    }
};

TEST(MeasureCache, AsksOnceForEachTextFontAndShape) {
    const CountingMeasurer device;
    const MeasureCache cache(device);
    ReportFont arial;
    ReportFont bold = arial;
    bold.style = FontStyle::Bold;
    ReportFont times = arial;
    times.name = "Times New Roman";
    const std::string_view nul("ab\0c", 4);
    for (int pass = 0; pass < 3; ++pass) {
        EXPECT_EQ(cache.TextWidth(arial, "abc"), device.TextWidth(arial, "abc"));
        EXPECT_EQ(cache.TextWidth(bold, "abc"), device.TextWidth(bold, "abc"));
        EXPECT_EQ(cache.TextWidth(times, "abc"), device.TextWidth(times, "abc"));
        EXPECT_EQ(cache.TextWidth(arial, nul), device.TextWidth(arial, nul));
        EXPECT_EQ(cache.TextHeight(arial, "abc", 50, false), device.TextHeight(arial, "abc", 50, false));
        EXPECT_EQ(cache.TextHeight(arial, "abc", 50, true), device.TextHeight(arial, "abc", 50, true));
        EXPECT_EQ(cache.TextHeight(arial, "abc", 60, true), device.TextHeight(arial, "abc", 60, true));
    }
    // Each of the seven asked the device once for the cache and three times directly.
    EXPECT_EQ(device.asked, 7 + 7 * 3);
    EXPECT_EQ(cache.Size(), 7u);
}

TEST(MeasureCache, StartsAfreshBeyondItsLimit) {
    const CountingMeasurer device;
    const MeasureCache cache(device, 4);
    const ReportFont font;
    for (int i = 0; i < 10; ++i)
        cache.TextWidth(font, std::to_string(i));
    EXPECT_LE(cache.Size(), 4u);
    EXPECT_EQ(cache.TextWidth(font, "9"), device.TextWidth(font, "9"));
}

}  // namespace
}  // namespace kv::report
