#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "report/BandReport.h"
#include "report/DisplayList.h"

namespace kv::report {
namespace {

// The pattern the report form uses: groups of detail rows under a heading,
// with a column header that repeats on a page begun inside a group.
struct GroupedReport {
    TBandReport report;
    TRepBand* heading;
    TRepSubDetail* colHeader;
    TRepBand* detail;
    TRepBand* summary;
    TRepBand* pageColHeader;
    std::vector<int> groups;  // rows per group
    std::size_t group = 0;
    int row = 0;
    bool headerDone = false;

    explicit GroupedReport(std::vector<int> rows) : groups(std::move(rows)) {
        report.Page = {400, 300, 10, 10, 10, 10};
        auto& header = report.AddBand(BandType::PageHeader, "PageHeader");
        header.Height = 20;
        report.PageHeaderBand = &header;
        auto& footer = report.AddBand(BandType::PageFooter, "PageFooter");
        footer.Height = 20;
        footer.Add<TRepSysData>().Text = "Page ";
        report.PageFooterBand = &footer;
        heading = &report.AddBand(BandType::GroupHeader, "Heading");
        heading->Height = 30;
        report.GroupHeaderBand = heading;
        colHeader = &report.AddSubDetail("ColHeader");
        colHeader->Height = 20;
        report.SubDetail = colHeader;
        detail = &report.AddBand(BandType::Child, "Detail");
        detail->Height = 40;
        colHeader->ChildBand = detail;
        summary = &report.AddBand(BandType::GroupFooter, "Summary");
        summary->Height = 20;
        colHeader->Footer = summary;
        pageColHeader = &report.AddBand(BandType::ColumnHeader, "PageColHeader");
        pageColHeader->Height = 20;
        pageColHeader->Enabled = false;
        report.PageColumnHeaderBand = pageColHeader;

        report.OnNeedData = [this](TBandReport&, bool& more) {
            more = group < groups.size();
            row = 0;
            headerDone = false;
        };
        colHeader->OnNeedData = [this](TRepSubDetail& band, bool& more) {
            more = row < groups[group];
            band.Enabled = !headerDone;
            headerDone = true;
            if (!more)
                ++group;
            ++row;
        };
        detail->BeforePrint = [this](TRepBand&, bool&) { pageColHeader->Enabled = true; };
        detail->AfterPrint = [this](TRepBand&, bool) { pageColHeader->Enabled = false; };
    }
};

TEST(BandReport, GroupsBreakAcrossPagesAndRepeatTheColumnHeader) {
    GroupedReport r({2, 7});
    DisplayListTarget target;
    FixedPitchMeasurer measurer;
    ASSERT_TRUE(r.report.Run(target, measurer));
    // Body: 10 + 20 (page header) .. 300 - 10 - 20 = 270.
    EXPECT_EQ(r.report.BodyBottom(), 270);
    ASSERT_EQ(target.pages.size(), 3u);
    EXPECT_EQ(target.pages[0].BandNames(),
              (std::vector<std::string>{"PageHeader", "Heading", "ColHeader", "Detail", "Detail", "Summary",
                                        "Heading", "ColHeader", "Detail", "PageFooter"}));
    // The second group's rows start the next page under a repeated column header.
    EXPECT_EQ(target.pages[1].BandNames(),
              (std::vector<std::string>{"PageHeader", "PageColHeader", "Detail", "Detail", "Detail", "Detail",
                                        "Detail", "PageFooter"}));
    EXPECT_EQ(target.pages[2].BandNames(),
              (std::vector<std::string>{"PageHeader", "PageColHeader", "Detail", "Summary", "PageFooter"}));
    const DrawnBand& detail = target.pages[1].bands[2];
    EXPECT_EQ(detail.area, (Rect{10, 50, 380, 40}));
    const DrawnText& pageNo = target.pages[2].texts.back();
    EXPECT_EQ(pageNo.text, "Page 3");
    EXPECT_EQ(pageNo.area.top, 270);
    EXPECT_TRUE(target.ended && target.completed);
    EXPECT_EQ(r.report.PageCount(), 3);
}

TEST(BandReport, AnEmptyReportMakesNoJobAndNoPage) {
    GroupedReport r({});
    DisplayListTarget target;
    FixedPitchMeasurer measurer;
    bool finished = false;
    r.report.OnFinished = [&](TBandReport& rep) { finished = rep.Finished(); };
    EXPECT_TRUE(r.report.Run(target, measurer));
    EXPECT_FALSE(target.begun);
    EXPECT_TRUE(target.pages.empty());
    EXPECT_TRUE(finished);
}

TEST(BandReport, BandsTooTallForAPageNeverLoop) {
    GroupedReport r({3});
    r.detail->Height = 1000;
    // A fit rule that finds its block never fits asks for a new page every time.
    r.heading->BeforePrint = [&](TRepBand&, bool&) { r.report.NewPage(); };
    DisplayListTarget target;
    FixedPitchMeasurer measurer;
    ASSERT_TRUE(r.report.Run(target, measurer));
    // The headings, then one row a page, then the summary on a page of its own.
    ASSERT_EQ(target.pages.size(), 5u);
    EXPECT_EQ(target.pages[4].BandNames(), (std::vector<std::string>{"PageHeader", "Summary", "PageFooter"}));
    // Each row at the top of a fresh page, clipped at the body's bottom.
    EXPECT_EQ(target.pages[1].BandNames(),
              (std::vector<std::string>{"PageHeader", "PageColHeader", "Detail", "PageFooter"}));
    EXPECT_EQ(target.pages[1].bands[2].area, (Rect{10, 50, 380, 220}));
}

TEST(BandReport, AStretchingLabelGrowsItsBand) {
    GroupedReport r({1});
    auto& label = r.detail->Add<TRepLabel>();
    label.Top = 5;
    label.Height = 20;
    label.Width = 100;
    label.AutoStretch = true;
    label.Caption = "one\r\ntwo\r\nthree";
    r.detail->Font.size = 12;  // 16 px lines
    DisplayListTarget target;
    FixedPitchMeasurer measurer;
    ASSERT_TRUE(r.report.Run(target, measurer));
    // 5 above, 3 x 16 of text, and the 15 that were below the label.
    EXPECT_EQ(r.detail->PrintHeight(measurer), 68);
    const auto& bands = target.pages[0].bands;
    EXPECT_EQ(bands[3].area.height, 68);
    EXPECT_EQ(bands[4].area.top, bands[3].area.bottom());
}

TEST(BandReport, AFailingOrCancelledJobStopsAtThatPage) {
    {
        GroupedReport r({20});
        DisplayListTarget target;
        target.failAtPage = 2;
        FixedPitchMeasurer measurer;
        EXPECT_FALSE(r.report.Run(target, measurer));
        EXPECT_EQ(target.pages.size(), 2u);
        EXPECT_FALSE(target.completed);
        EXPECT_EQ(r.report.Status(), RunStatus::Cancelled);
    }
    {
        GroupedReport r({20});
        r.report.OnPageAvailable = [](TBandReport& rep, int) { rep.Cancel(); };
        DisplayListTarget target;
        FixedPitchMeasurer measurer;
        EXPECT_FALSE(r.report.Run(target, measurer));
        EXPECT_EQ(target.pages.size(), 1u);
        EXPECT_TRUE(target.ended);
    }
}

TEST(BandReport, UnitsConvertAtNinetySixPixelsPerInch) {
    EXPECT_DOUBLE_EQ(ToDesignPixels(25.4, ReportUnits::Millimetres), 96);
    EXPECT_DOUBLE_EQ(ToDesignPixels(0.5, ReportUnits::Inches), 48);
    EXPECT_DOUBLE_EQ(FromDesignPixels(96, ReportUnits::Millimetres), 25.4);
    EXPECT_EQ(FontPixels(10), 13);
    EXPECT_EQ(FontPixels(15), 20);
}

}  // namespace
}  // namespace kv::report
