#include "report/BandReport.h"

#include <algorithm>

namespace kv::report {

double ToDesignPixels(double value, ReportUnits units) {
    switch (units) {
    case ReportUnits::Millimetres: return value * 96.0 / 25.4;
    case ReportUnits::Inches: return value * 96.0;
    case ReportUnits::Pixels:
    case ReportUnits::Native: break;
    }
    return value;
}

double FromDesignPixels(double pixels, ReportUnits units) {
    switch (units) {
    case ReportUnits::Millimetres: return pixels * 25.4 / 96.0;
    case ReportUnits::Inches: return pixels / 96.0;
    case ReportUnits::Pixels:
    case ReportUnits::Native: break;
    }
    return pixels;
}

TBandReport::TBandReport() = default;

TRepSubDetail& TBandReport::AddSubDetail(std::string name) {
    auto band = std::make_unique<TRepSubDetail>(std::move(name));
    TRepSubDetail& ref = *band;
    bands_.push_back(std::move(band));
    return ref;
}

double TBandReport::BodyBottom() const {
    double bottom = Page.Length - Page.BottomMargin;
    if (PageFooterBand && PageFooterBand->Enabled)
        bottom -= PageFooterBand->Height;
    // Absurd margins still leave a body of one line for the clipping guard.
    return std::max(bottom, Page.TopMargin + 1);
}

bool TBandReport::Run(ReportTarget& target, const TextMeasurer& measurer) {
    target_ = &target;
    measurer_ = &measurer;
    pageNumber_ = pageCount_ = 0;
    pageOpen_ = pageHasBody_ = false;
    cancelRequested_ = failed_ = false;
    currentY_ = Page.TopMargin;
    status_ = RunStatus::Generating;

    bool doPrint = true;
    if (BeforePrint)
        BeforePrint(*this, doPrint);
    bool started = false;
    while (doPrint && !Stopped()) {
        bool more = false;
        if (OnNeedData)
            OnNeedData(*this, more);
        if (!more || Stopped())
            break;
        if (!started) {
            if (!target.BeginDoc()) {
                failed_ = true;
                break;
            }
            started = true;
            StartPage();
        }
        PrintBand(TitleBand);
        for (TRepBand* b = GroupHeaderBand; b && !Stopped(); b = b->ChildBand)
            PrintBand(b);
        while (SubDetail && !Stopped()) {
            bool subMore = false;
            if (SubDetail->OnNeedData)
                SubDetail->OnNeedData(*SubDetail, subMore);
            if (!subMore || Stopped())
                break;
            PrintBand(SubDetail);
            PrintBand(SubDetail->ChildBand);
        }
        if (SubDetail && !Stopped())
            PrintBand(SubDetail->Footer);
    }
    if (started) {
        if (pageOpen_ && !Stopped())
            FinishPage(true);
        target.EndDoc(!Stopped());
    }
    status_ = Stopped() ? RunStatus::Cancelled : RunStatus::Finished;
    if (OnFinished)
        OnFinished(*this);
    if (AfterPrint)
        AfterPrint(*this);
    target_ = nullptr;
    measurer_ = nullptr;
    return !Stopped();
}

void TBandReport::NewPage() {
    if (!pageOpen_ || !pageHasBody_ || Stopped())
        return;
    if (FinishPage(false))
        StartPage();
}

void TBandReport::StartPage() {
    if (!target_->StartPage(pageNumber_ + 1)) {
        failed_ = true;
        return;
    }
    ++pageNumber_;
    pageOpen_ = true;
    pageHasBody_ = false;
    currentY_ = Page.TopMargin;
    if (PageHeaderBand && (pageNumber_ > 1 || FirstPageHeader))
        PrintBand(PageHeaderBand, false);
    PrintBand(PageColumnHeaderBand, false);
}

bool TBandReport::FinishPage(bool last) {
    if (PageFooterBand && PageFooterBand->Enabled && (!last || LastPageFooter)) {
        bool doPrint = true;
        if (PageFooterBand->BeforePrint)
            PageFooterBand->BeforePrint(*PageFooterBand, doPrint);
        if (doPrint) {
            currentY_ = Page.Length - Page.BottomMargin - PageFooterBand->Height;
            DrawBand(*PageFooterBand, PageFooterBand->Height);
            if (PageFooterBand->AfterPrint)
                PageFooterBand->AfterPrint(*PageFooterBand, true);
        }
    }
    if (OnEndPage)
        OnEndPage(*this);
    pageOpen_ = false;
    if (!target_->EndPage(pageNumber_))
        failed_ = true;
    else
        ++pageCount_;
    if (OnPageAvailable && !failed_)
        OnPageAvailable(*this, pageNumber_);
    return !Stopped();
}

void TBandReport::PrintBand(TRepBand* band, bool body) {
    if (!band || !band->Enabled || Stopped() || !pageOpen_)
        return;
    bool doPrint = true;
    if (band->BeforePrint)
        band->BeforePrint(*band, doPrint);
    if (!doPrint || !band->Enabled || Stopped() || !pageOpen_)
        return;
    const double height = band->PrintHeight(*measurer_);
    if (body && currentY_ + height > BodyBottom() && pageHasBody_) {
        NewPage();
        if (Stopped() || !pageOpen_)
            return;
    }
    // A band taller than what is left prints clipped at the body's bottom.
    const double visible = std::max(0.0, std::min(height, BodyBottom() - currentY_));
    DrawBand(*band, visible);
    currentY_ += height;
    if (body)
        pageHasBody_ = true;
    if (band->AfterPrint)
        band->AfterPrint(*band, true);
}

void TBandReport::DrawBand(const TRepBand& band, double height) {
    const Rect area{Page.LeftMargin, currentY_, Page.Width - Page.LeftMargin - Page.RightMargin, height};
    target_->BeginBand(band, area);
    if (band.Color != kNoColor)
        target_->FillRect(area, band.Color);
    if (band.Frame.DrawTop)
        target_->DrawLine(area.left, area.top, area.right(), area.top, band.Frame.Width, band.Frame.Color);
    if (band.Frame.DrawBottom)
        target_->DrawLine(area.left, area.bottom(), area.right(), area.bottom(), band.Frame.Width,
                          band.Frame.Color);
    for (const auto& control : band.Controls) {
        if (!control->Enabled || control->Top >= height)
            continue;
        const double full = std::max(control->Height, control->NeededHeight(band, *measurer_) - control->Top);
        const Rect at{area.left + control->Left, area.top + control->Top, control->Width,
                      std::min(full, height - control->Top)};
        control->Draw(*target_, band, at, pageNumber_);
    }
}

}  // namespace kv::report
