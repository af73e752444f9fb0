#include "controls/menus/MenuText.h"

#include <gtest/gtest.h>

#include <vector>

namespace kv {
namespace {

// Every character 10 pixels wide.
int tenEach(std::string_view s) { return static_cast<int>(s.size()) * 10; }

TEST(MenuText, CaptionsAsDrawnKeepLiteralAmpersands) {
    struct Case {
        const char* caption;
        const char* drawn;
    };
    for (const Case& c : std::vector<Case>{{"&Open", "Open"},
                                           {"Save &As...", "Save As..."},
                                           {"Tom && Jerry", "Tom & Jerry"},
                                           {"&1 C:\\Tom && Jerry\\x.ctf", "1 C:\\Tom & Jerry\\x.ctf"},
                                           {"Plain", "Plain"},
                                           {"End&", "End"}})
        EXPECT_EQ(StripMnemonic(c.caption), c.drawn) << c.caption;
}

TEST(MenuText, PathsShortenFromTheLeftAndKeepTheirAmpersands) {
    const std::string path = "C:\\Catalogs\\Tom & Jerry\\Old\\disks.ctf";
    EXPECT_EQ(MruCaption(1, path, 0, tenEach), "&1 C:\\Catalogs\\Tom && Jerry\\Old\\disks.ctf");
    EXPECT_EQ(MruCaption(2, path, 330, tenEach), "&2 C:\\...\\Tom && Jerry\\Old\\disks.ctf");
}

TEST(MenuText, ItemWidthFollowsTheCaptionAsDrawn) {
    EXPECT_EQ(MenuItemWidth("&Open", "", tenEach), 40 + 20);
    EXPECT_EQ(MenuItemWidth("&Open", "Ctrl+O", tenEach), 40 + 60 + 25);
    EXPECT_EQ(MenuItemWidth("Tom && Jerry", "", tenEach, 15), 110 + 15 + 20);
}

}  // namespace
}  // namespace kv
