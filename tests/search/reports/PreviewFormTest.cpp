// The print preview under Wine's null driver, while the fixture report is
// generated into metafile pages.
#include <gtest/gtest.h>

#include <functional>
#include <stdexcept>

#include "ReportFixture.h"
#include "search/reports/CustomTree.h"
#include "search/reports/PreviewRunWin32.h"
#include "search/reports/ReportForm.h"
#include "search/reports/ReportSort.h"
#include "ui/Application.h"
#include "ui/Canvas.h"
#include "ui/Timer.h"
#include "ui/WaitForm.h"

namespace kv::test {
namespace {

// Pages that tell when each one is done, before the preview hears of it.
class WatchedPages : public report::EmfPageStore {
public:
    using EmfPageStore::EmfPageStore;
    std::function<void(int)> onEndPage;
    bool EndPage(int page) override {
        const bool ok = EmfPageStore::EndPage(page);
        if (onEndPage)
            onEndPage(page);
        return ok;
    }
};

class Preview : public ::testing::Test {
protected:
    void SetUp() override {
        ModelOf(forest_, HomeCatalog());
        run_ = FixtureRun(forest_, tree_);
        run_.columns.pop_back();
        look_.icons = false;
        screen_ = GetDC(nullptr);
        form_ = std::make_unique<ReportForm>(run_, cells_, look_, report::PageSetup{400, 300, 20, 20, 20, 20});
        pages_ = std::make_unique<WatchedPages>(screen_, 400, 300);
    }
    void TearDown() override {
        pages_.reset();
        ReleaseDC(nullptr, screen_);
    }
    PreviewOutcome Run(TPreviewForm& preview) {
        return RunPreview(preview, *form_, *pages_, {400, 300, 20, 20, 20, 20}, measurer_);
    }

    Forest forest_;
    FixtureCells cells_;
    CustomTree tree_{CatalogLoaders{}};
    ReportRun run_;
    ReportLook look_;
    HDC screen_ = nullptr;
    std::unique_ptr<ReportForm> form_;
    std::unique_ptr<WatchedPages> pages_;
    report::GdiMeasurer measurer_;
};

// Once generation has ended: runs each step on a timer tick of its own (the
// preview lets messages run while it turns pages: no step starts inside another).
void WhenFinished(ui::Timer& timer, ReportForm& form, std::vector<std::function<void()>>& steps) {
    timer.setInterval(20);
    timer.onTimer = [&form, &steps](ui::Timer& t) {
        if (!form.report().Finished())
            return;
        if (steps.empty()) {
            t.setEnabled(false);
            return;
        }
        auto step = std::move(steps.front());
        steps.erase(steps.begin());
        t.setEnabled(false);
        step();
        t.setEnabled(true);
    };
    timer.setEnabled(true);
}

TEST_F(Preview, ShowsAtTheFirstPageAndPrintsOnlyWhenGenerated) {
    TPreviewForm preview;
    bool printed = false;
    preview.onPrint = [&] { printed = true; };
    struct {
        bool visible = false, print = true, generating = false;
        int pages = 0;
        std::string total;
    } second;
    pages_->onEndPage = [&](int page) {
        if (page == 2)
            second = {IsWindowVisible(preview.hwnd()) != 0, preview.BtnPrint.enabled(), form_->report().Generating(),
                      preview.PageCount(), preview.StatusBar.panelText(0)};
    };
    ui::Timer timer;
    std::vector<std::function<void()>> steps = {
        [&] {
            const int count = static_cast<int>(pages_->PageCount());
            EXPECT_GE(count, 3);
            EXPECT_TRUE(IsZoomed(preview.hwnd()));
            EXPECT_EQ(preview.PageCount(), count);
            EXPECT_EQ(preview.PageCombo.count(), count);
            EXPECT_EQ(preview.StatusBar.panelText(0), "Total pages: " + std::to_string(count));
            EXPECT_EQ(preview.StatusBar.panelText(1), "Page: 1");
            EXPECT_TRUE(preview.BtnPrint.enabled());
            EXPECT_FALSE(preview.BtnPrevPage.enabled());
            preview.BtnNextPage.click();
            EXPECT_EQ(preview.QRPreview.PageNumber(), 2);
            EXPECT_TRUE(preview.PreviewKeyDown(VK_NEXT, true));
            EXPECT_EQ(preview.QRPreview.PageNumber(), count);
            EXPECT_EQ(preview.StatusBar.panelText(1), "Page: " + std::to_string(count));
            EXPECT_FALSE(preview.BtnNextPage.enabled());
        },
        [&] {
            preview.ZoomComboClick("500");
            EXPECT_EQ(preview.QRPreview.Zoom(), 300);
            EXPECT_EQ(preview.ZoomCombo.text(), "300%");
            preview.ZoomComboClick("175");
            EXPECT_EQ(preview.ZoomCombo.itemIndex(), 14);
            EXPECT_EQ(preview.ZoomCombo.text(), "175%");
            preview.StepZoomItem(true);
            EXPECT_EQ(preview.QRPreview.Zoom(), 200);
            preview.ZoomComboClick("abc");
            EXPECT_EQ(preview.QRPreview.Zoom(), 200);
            // Enter in the zoom box takes its text.
            HWND edit = GetWindow(preview.ZoomCombo.hwnd(), GW_CHILD);
            SetFocus(edit);
            SetWindowTextA(edit, "80");
            PostMessageA(edit, WM_KEYDOWN, VK_RETURN, 0);
            ui::Application::instance().processMessages();
            EXPECT_EQ(preview.QRPreview.Zoom(), 80);
            EXPECT_EQ(preview.ZoomCombo.itemIndex(), 7);
        },
        [&] {
            RECT before{};
            GetWindowRect(preview.hwnd(), &before);
            preview.BtnFullScreen.click();
            EXPECT_TRUE(preview.FullScreen());
            EXPECT_FALSE(GetWindowLongA(preview.hwnd(), GWL_STYLE) & WS_CAPTION);
            EXPECT_FALSE(IsWindowVisible(preview.StatusBar.hwnd()));
            EXPECT_EQ(preview.PageCombo.itemIndex(), preview.PageCombo.count() - 1);
            preview.BtnFullScreen.click();
            EXPECT_FALSE(preview.FullScreen());
            EXPECT_TRUE(GetWindowLongA(preview.hwnd(), GWL_STYLE) & WS_CAPTION);
            EXPECT_TRUE(IsWindowVisible(preview.StatusBar.hwnd()));
        },
        [&] {
            preview.PreviewKeyDown('P', false);
            EXPECT_TRUE(printed);
            preview.PreviewKeyDown(VK_ESCAPE, false);
        },
    };
    WhenFinished(timer, *form_, steps);
    EXPECT_EQ(Run(preview), PreviewOutcome::Shown);
    EXPECT_TRUE(second.visible);
    EXPECT_FALSE(second.print);
    EXPECT_TRUE(second.generating);
    EXPECT_EQ(second.pages, 1);
    EXPECT_EQ(second.total, "Total pages: 1");
    EXPECT_TRUE(steps.empty());
    EXPECT_TRUE(preview.Closed());
    EXPECT_FALSE(IsWindowVisible(preview.hwnd()));
    EXPECT_EQ(ui::WaitForm::current(), nullptr);
}

TEST_F(Preview, ClosingWhileGeneratingStopsTheRunThenCloses) {
    TPreviewForm preview;
    pages_->onEndPage = [&](int page) {
        if (page == 2)  // the window's own close button
            SendMessageA(preview.hwnd(), WM_CLOSE, 0, 0);
    };
    EXPECT_EQ(Run(preview), PreviewOutcome::Shown);
    EXPECT_TRUE(form_->Aborted());
    EXPECT_EQ(pages_->PageCount(), 2u);
    EXPECT_TRUE(preview.Closed());
    EXPECT_FALSE(IsWindowVisible(preview.hwnd()));
}

TEST_F(Preview, CancelBeforeTheFirstPageNeverShowsTheWindow) {
    TPreviewForm preview;
    bool shown = false;
    preview.onShow = [&](ui::Form&) { shown = true; };
    pages_->onEndPage = [&](int page) {
        if (page == 1 && ui::WaitForm::current())
            ui::WaitForm::current()->CancelBtnClick();
    };
    EXPECT_EQ(Run(preview), PreviewOutcome::Cancelled);
    EXPECT_FALSE(shown);
    EXPECT_EQ(pages_->PageCount(), 1u);
    EXPECT_EQ(ui::WaitForm::current(), nullptr);
}

// The fixture's cells, with something done at a given call.
class HookedCells : public ReportCells {
public:
    HookedCells(const ReportCells& inner, int at, std::function<void()> hook)
        : inner_(inner), at_(at), hook_(std::move(hook)) {}
    std::string Cell(const ItemHead& rec, int column) const override {
        if (++calls_ == at_)
            hook_();
        return inner_.Cell(rec, column);
    }
    int Icon(const ItemHead& rec) const override { return inner_.Icon(rec); }

private:
    const ReportCells& inner_;
    int at_;
    std::function<void()> hook_;
    mutable int calls_ = 0;
};

// A list reported as it is makes one batch of all its rows before the first page.
ReportRun LongUnsortedRun(const ReportRun& fixture) {
    ReportRun run = fixture;
    run.sorted = false;
    for (int i = 0; i < 100; ++i)
        run.rows.insert(run.rows.end(), fixture.rows.begin(), fixture.rows.end());
    return run;
}

TEST_F(Preview, CancelDuringALongListStopsBeforeItsFirstPage) {
    const ReportRun run = LongUnsortedRun(run_);
    // The click arrives only when the run lets messages run.
    const HookedCells cells(cells_, 200, [] {
        if (ui::WaitForm::current())
            PostMessageA(ui::WaitForm::current()->CancelBtn.hwnd(), BM_CLICK, 0, 0);
    });
    const report::PageSetup page{400, 300, 20, 20, 20, 20};
    ReportForm form(run, cells, look_, page);
    TPreviewForm preview;
    EXPECT_EQ(RunPreview(preview, form, *pages_, page, measurer_), PreviewOutcome::Cancelled);
    EXPECT_TRUE(form.Aborted());
    EXPECT_EQ(pages_->PageCount(), 0u);
    EXPECT_EQ(ui::WaitForm::current(), nullptr);
}

TEST_F(Preview, AFailureOnTheWayLeavesNoWindowOpen) {
    const ReportRun run = LongUnsortedRun(run_);
    const HookedCells cells(cells_, 200, [] { throw std::runtime_error("cell failed"); });
    const report::PageSetup page{400, 300, 20, 20, 20, 20};
    ReportForm form(run, cells, look_, page);
    TPreviewForm preview;
    EXPECT_THROW(RunPreview(preview, form, *pages_, page, measurer_), std::runtime_error);
    EXPECT_EQ(ui::WaitForm::current(), nullptr);
    EXPECT_FALSE(IsWindowVisible(preview.hwnd()));
}

TEST_F(Preview, HalfZoomDrawsHalfThePage) {
    ASSERT_TRUE(form_->Run(*pages_, measurer_));
    TPreviewForm preview;
    preview.PreparePreview(*pages_, 400, 300);
    preview.QRPreview.SetZoom(50);
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
