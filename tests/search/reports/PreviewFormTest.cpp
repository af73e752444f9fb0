// The print preview under Wine's null driver over metafile pages of the fixture report.
#include <gtest/gtest.h>

#include "ReportFixture.h"
#include "search/reports/CustomTree.h"
#include "search/reports/PreviewFormWin32.h"
#include "search/reports/ReportForm.h"
#include "search/reports/ReportSort.h"
#include "ui/Canvas.h"

namespace kv::test {
namespace {

class Preview : public ::testing::Test {
protected:
    void SetUp() override {
        ModelOf(forest_, HomeCatalog());
        run_ = FixtureRun(forest_, tree_);
        run_.columns.pop_back();
        ReportLook look;
        look.icons = false;
        ReportForm form(run_, cells_, look, {400, 300, 20, 20, 20, 20});
        screen_ = GetDC(nullptr);
        pages_ = std::make_unique<report::EmfPageStore>(screen_, 400, 300);
        report::GdiMeasurer measurer;
        ASSERT_TRUE(form.Run(*pages_, measurer));
        ASSERT_GE(pages_->PageCount(), 3u);
    }
    void TearDown() override {
        pages_.reset();
        ReleaseDC(nullptr, screen_);
    }

    Forest forest_;
    FixtureCells cells_;
    CustomTree tree_{CatalogLoaders{}};
    ReportRun run_;
    HDC screen_ = nullptr;
    std::unique_ptr<report::EmfPageStore> pages_;
};

TEST_F(Preview, PagesZoomAndKeys) {
    TPreviewForm preview(*pages_, 400, 300);
    const int count = static_cast<int>(pages_->PageCount());
    EXPECT_EQ(preview.PageCombo.count(), count);
    EXPECT_EQ(preview.StatusLabel.text(), "Total pages: " + std::to_string(count) + "   Page: 1");
    EXPECT_FALSE(preview.PrintBtn.enabled());
    EXPECT_FALSE(preview.PrevPageBtn.enabled());
    preview.NextPageBtn.click();
    EXPECT_EQ(preview.QRPreview.PageNumber(), 2);
    EXPECT_TRUE(preview.PreviewKey(VK_NEXT, true));
    EXPECT_EQ(preview.QRPreview.PageNumber(), count);
    EXPECT_FALSE(preview.NextPageBtn.enabled());
    preview.PreviewKey(VK_NEXT, false);  // at the bottom of the last page: stays
    EXPECT_EQ(preview.QRPreview.PageNumber(), count);
    preview.PreviewKey(VK_PRIOR, true);
    EXPECT_EQ(preview.QRPreview.PageNumber(), 1);

    preview.ApplyZoom(175);
    EXPECT_EQ(preview.ZoomCombo.text(), "175%");
    preview.ApplyZoom(0);
    EXPECT_EQ(preview.QRPreview.Zoom(), 10);

    bool printed = false;
    preview.onPrint = [&] { printed = true; };
    preview.UpdatePreviewStatus();
    EXPECT_TRUE(preview.PrintBtn.enabled());
    preview.PreviewKey('P', false);
    EXPECT_TRUE(printed);
}

TEST_F(Preview, HalfZoomDrawsHalfThePage) {
    TPreviewForm preview(*pages_, 400, 300);
    preview.ApplyZoom(50);
    ui::BitmapCanvas canvas(400, 300);
    const RECT client{0, 0, 400, 300};
    preview.QRPreview.PaintTo(canvas.dc(), client);
    // The white page: 200 x 150 pixels, centred across, 16 from the top.
    int white = 0, top = -1, left = -1;
    for (int y = 0; y < 300; ++y)
        for (int x = 0; x < 400; ++x)
            if ((canvas.pixel(x, y) & 0xFFFFFF) == 0xFFFFFF) {
                ++white;
                if (top < 0) {
                    top = y;
                    left = x;
                }
            }
    EXPECT_EQ(top, 16);
    EXPECT_EQ(left, 100);
    EXPECT_GT(white, 200 * 150 / 2);  // text covers some of it
    EXPECT_LE(white, 200 * 150);
}

}  // namespace
}  // namespace kv::test
