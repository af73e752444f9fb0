#include <gtest/gtest.h>

#include "search/reports/PreviewZoom.h"

namespace kv {
namespace {

TEST(PreviewZoom, TheBoxShowsTheStepAndTheExactZoom) {
    EXPECT_EQ(kZoomSteps[9], 100);
    EXPECT_EQ(kZoomSteps[14], 150);
    const struct {
        int zoom, item;
        const char* text;
    } cases[] = {{100, 9, "100%"}, {175, 14, "175%"}, {160, 14, "160%"},
                 {115, 10, "115%"}, {5, 0, "5%"},      {300, 17, "300%"}};
    for (const auto& c : cases) {
        const ZoomChoice z = ZoomComboChoice(c.zoom);
        EXPECT_EQ(z.item, c.item) << c.zoom;
        EXPECT_EQ(z.text, c.text);
    }
}

TEST(PreviewZoom, TypedZoomsAreKeptWithinTheRange) {
    const struct {
        const char* text;
        std::optional<int> zoom;
    } cases[] = {{"500", 300}, {"abc", std::nullopt}, {"", 75}, {"80%", 80}, {" 80 % ", 80},
                 {"0", 10},    {"-5", std::nullopt}, {"99999999", std::nullopt}};
    for (const auto& c : cases)
        EXPECT_EQ(ParseZoomText(c.text, 75), c.zoom) << c.text;
}

TEST(PreviewZoom, StepsAndFits) {
    EXPECT_EQ(StepZoom(100, true), 110);
    EXPECT_EQ(StepZoom(175, true), 200);
    EXPECT_EQ(StepZoom(175, false), 140);  // the box shows 150 %: one before it
    EXPECT_EQ(StepZoom(110, false), 100);
    EXPECT_EQ(StepZoom(300, true), 300);
    EXPECT_EQ(StepZoom(10, false), 10);
    EXPECT_EQ(ZoomToFit(794, 1123, 397, 1000), 50);
    EXPECT_EQ(ZoomToWidth(794, 1588), 200);
    EXPECT_EQ(ZoomToWidth(794, 1), 10);
}

}  // namespace
}  // namespace kv
