// The printed layout of a list report through the engine, on a recorded
// target with fixed-pitch text.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>

#include "ReportFixture.h"
#include "report/DisplayList.h"
#include "search/reports/CustomTree.h"
#include "search/reports/ReportForm.h"
#include "search/reports/ReportSort.h"

namespace kv::test {
namespace {

using report::DisplayListTarget;
using report::DrawnPage;

class ReportLayout : public ::testing::Test {
protected:
    void SetUp() override {
        ModelOf(forest_, HomeCatalog());
        run_ = FixtureRun(forest_, tree_);
        look_.dateTimeText = "2026-12-11, 13:05:09";
    }

    std::vector<DrawnPage> Render(ReportLook look, double length = 420) {
        ReportForm form(run_, cells_, look, {600, length, 20, 20, 20, 20});
        DisplayListTarget target;
        report::FixedPitchMeasurer measurer;
        EXPECT_TRUE(form.Run(target, measurer));
        bodyBottom_ = form.report().BodyBottom();
        return target.pages;
    }

    static bool IsPageBand(const std::string& name) {
        return name == "PageHeaderBand" || name == "PageColHeaderBand" || name == "PageFooterBand";
    }

    Forest forest_;
    FixtureCells cells_;
    CustomTree tree_{CatalogLoaders{}};
    ReportRun run_;
    ReportLook look_;
    double bodyBottom_ = 0;
};

TEST_F(ReportLayout, GroupsFlowOverPagesWithTheirHeadings) {
    const std::vector<DrawnPage> pages = Render(look_);
    ASSERT_GE(pages.size(), 3u);
    std::vector<std::string> headings;
    for (std::size_t p = 0; p < pages.size(); ++p) {
        const DrawnPage& page = pages[p];
        for (const auto& t : page.texts)
            if (t.band == "CatalogHeaderBand" || t.band == "FolderHeaderBand" ||
                (t.band == "DiskHeaderBand" && !t.text.starts_with("Type")))
                headings.push_back(t.text);
        // Every page ends with its number in the footer, below the body.
        EXPECT_EQ(page.bands.back().name, "PageFooterBand");
        EXPECT_EQ(page.texts.back().text, "Page " + std::to_string(p + 1));
        EXPECT_GE(page.texts.back().area.top, bodyBottom_);
        std::vector<std::string> body;
        for (const auto& b : page.bands) {
            if (b.name != "PageFooterBand") {
                EXPECT_LE(b.area.bottom(), bodyBottom_) << b.name << " on page " << p + 1;
            }
            if (!IsPageBand(b.name))
                body.push_back(b.name);
        }
        ASSERT_FALSE(body.empty());
        // A summary never starts a page: the last row goes with it.
        EXPECT_NE(body.front(), "SummaryBand") << "page " << p + 1;
        // A heading or column header never ends one.
        for (const char* alone : {"CatalogHeaderBand", "DiskHeaderBand", "FolderHeaderBand", "ColHeaderBand"})
            EXPECT_NE(body.back(), alone) << "page " << p + 1;
        // A page that starts among rows repeats the column header.
        if (body.front() == "DetailBand") {
            EXPECT_EQ(page.bands[1].name, "PageColHeaderBand") << "page " << p + 1;
        }
    }
    EXPECT_EQ(headings, (std::vector<std::string>{"Catalog: Home", "CD-ROM 17", "Folder: \\Photos, 2004",
                                                  "Folder: \\Photos, 2004\\Raw", "Folder: \\tools.zip",
                                                  "CD-ROM 17 copy"}));
    if (std::getenv("KV_DUMP_PAGES"))
        for (const DrawnPage& page : pages) {
            for (const auto& b : page.bands)
                std::printf("%d %s %.0f %.0f\n", page.number, b.name.c_str(), b.area.top, b.area.height);
        }
    EXPECT_EQ(pages[0].texts[0].text, "Korvalder? 1.01");
    EXPECT_EQ(pages[0].texts[1].text, "2026-12-11, 13:05:09");
    EXPECT_EQ(pages[0].texts[2].text, "Custom Report");
}

TEST_F(ReportLayout, WithoutColumnHeadersNoPageRepeatsThem) {
    ReportLook look = look_;
    look.include[static_cast<std::size_t>(ReportSection::ColumnHeaders)] = false;
    for (const DrawnPage& page : Render(look, 300))
        for (const auto& b : page.bands)
            EXPECT_TRUE(b.name != "PageColHeaderBand" && b.name != "ColHeaderBand") << "page " << page.number;
}

TEST_F(ReportLayout, HugeFontsOnASmallPageStillEnd) {
    ReportLook look = look_;
    for (auto& font : look.fonts)
        font.size = 72;
    const std::vector<DrawnPage> pages = Render(look, 200);
    EXPECT_GT(pages.size(), 1u);
    EXPECT_LT(pages.size(), 100u);
}

TEST_F(ReportLayout, SectionsPrintWithTheirFontsColoursAndSwitches) {
    auto at = [](ReportSection s) { return static_cast<std::size_t>(s); };
    ReportLook look = look_;
    look.fonts[at(ReportSection::Title)] = {"Courier New", 24, report::FontStyle::Underline, 0x0000FF};
    look.fonts[at(ReportSection::Details)] = {"Times New Roman", 12, 0, 0x00FF00};
    look.colors[at(ReportSection::CatalogHeading)] = 0x00C0FFFF;
    look.include[at(ReportSection::FolderHeading)] = false;
    look.include[at(ReportSection::Summary)] = false;
    look.icons = true;
    const std::vector<DrawnPage> pages = Render(look, 2000);
    ASSERT_EQ(pages.size(), 1u);
    const DrawnPage& page = pages[0];
    for (const auto& b : page.bands)
        EXPECT_TRUE(b.name != "FolderHeaderBand" && b.name != "SummaryBand") << b.name;
    const auto band = [&](const char* name) {
        return *std::find_if(page.bands.begin(), page.bands.end(), [&](const auto& b) { return b.name == name; });
    };
    const auto title = std::find_if(page.texts.begin(), page.texts.end(),
                                    [](const auto& t) { return t.band == "TitleBand"; });
    ASSERT_NE(title, page.texts.end());
    EXPECT_EQ(title->font, look.fonts[at(ReportSection::Title)]);
    // The title sits 0.65 of its font's height down a band twice that height.
    EXPECT_EQ(band("TitleBand").area.height, SectionHeight(ReportSection::Title, 24));
    EXPECT_EQ(title->area.top - band("TitleBand").area.top, SectionLabelTop(ReportSection::Title, 24));
    int rows = 0;
    for (const auto& t : page.texts)
        if (t.band == "DetailBand") {
            ++rows;
            EXPECT_EQ(t.font, look.fonts[at(ReportSection::Details)]);
        }
    EXPECT_GT(rows, 0);
    // Only the catalog heading has a background of its own.
    ASSERT_EQ(page.fills.size(), 1u);
    EXPECT_EQ(page.fills[0].band, "CatalogHeaderBand");
    EXPECT_EQ(page.fills[0].color, 0x00C0FFFFu);
    EXPECT_EQ(page.fills[0].area, band("CatalogHeaderBand").area);
    // Every row carries its icon; without icons none does.
    EXPECT_GT(page.pictures, 0);
    look.icons = false;
    EXPECT_EQ(Render(look, 2000)[0].pictures, 0);
}

TEST_F(ReportLayout, AnEmptyReportHasNoPage) {
    run_.rows.clear();
    EXPECT_TRUE(Render(look_).empty());
}

}  // namespace
}  // namespace kv::test
