#pragma once
// TBandReport: one report run over a fixed band pattern. The master loop asks
// OnNeedData for a group, prints the title and the chain of group headings
// (each by its own Enabled flag), then the sub-detail's records and its footer.
// Pages break before a band that does not fit; a page with no body yet never
// breaks again, so no band size or handler can make it loop.
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "report/ReportModel.h"
#include "report/ReportTarget.h"

namespace kv::report {

enum class ReportUnits : std::uint8_t { Millimetres, Inches, Pixels, Native };

// The page in design pixels; margins too.
struct PageSetup {
    double Width = 794;   // A4 portrait at 96 dpi
    double Length = 1123;
    double TopMargin = 38, BottomMargin = 38, LeftMargin = 38, RightMargin = 38;
};

// A length in the given units as design pixels, and back.
double ToDesignPixels(double value, ReportUnits units);
double FromDesignPixels(double pixels, ReportUnits units);

enum class RunStatus : std::uint8_t { Idle, Generating, Finished, Cancelled };

class TBandReport {
public:
    TBandReport();
    TBandReport(const TBandReport&) = delete;
    TBandReport& operator=(const TBandReport&) = delete;

    PageSetup Page;
    std::string ReportTitle;
    bool FirstPageHeader = true;
    bool LastPageFooter = true;

    // The report owns its bands; the slots name the pattern's places.
    template <class T = TRepBand>
    T& AddBand(BandType type, std::string name);
    TRepSubDetail& AddSubDetail(std::string name);
    TRepBand* PageHeaderBand = nullptr;
    TRepBand* TitleBand = nullptr;
    TRepBand* GroupHeaderBand = nullptr;  // the first of the heading chain
    TRepSubDetail* SubDetail = nullptr;   // its ChildBand is the detail band
    TRepBand* PageColumnHeaderBand = nullptr;
    TRepBand* PageFooterBand = nullptr;

    std::function<void(TBandReport&, bool& doPrint)> BeforePrint;
    std::function<void(TBandReport&)> AfterPrint;
    std::function<void(TBandReport&, bool& more)> OnNeedData;
    std::function<void(TBandReport&)> OnEndPage;
    // After each finished page; the preview shows pages as they come.
    std::function<void(TBandReport&, int page)> OnPageAvailable;
    // When the run has ended (finished or cancelled), before AfterPrint.
    std::function<void(TBandReport&)> OnFinished;

    // One run into the target. False when it was cancelled or the target failed.
    bool Run(ReportTarget& target, const TextMeasurer& measurer);
    // Starts a new page, unless the current one has nothing in its body yet.
    void NewPage();
    void Cancel() { cancelRequested_ = true; }

    double CurrentY() const { return currentY_; }
    int PageNumber() const { return pageNumber_; }
    int PageCount() const { return pageCount_; }
    // Where the body of a page ends: above the bottom margin and the page footer.
    double BodyBottom() const;
    RunStatus Status() const { return status_; }
    bool Generating() const { return status_ == RunStatus::Generating; }
    bool Finished() const { return status_ == RunStatus::Finished; }

private:
    void PrintBand(TRepBand* band, bool body = true);
    void DrawBand(const TRepBand& band, double height);
    void StartPage();
    bool FinishPage(bool last);
    bool Stopped() const { return cancelRequested_ || failed_; }

    std::vector<std::unique_ptr<TRepBand>> bands_;
    ReportTarget* target_ = nullptr;
    const TextMeasurer* measurer_ = nullptr;
    double currentY_ = 0;
    int pageNumber_ = 0;
    int pageCount_ = 0;
    bool pageHasBody_ = false;
    bool pageOpen_ = false;
    bool cancelRequested_ = false;
    bool failed_ = false;
    RunStatus status_ = RunStatus::Idle;
};

template <class T>
T& TBandReport::AddBand(BandType type, std::string name) {
    auto band = std::make_unique<T>(type, std::move(name));
    T& ref = *band;
    bands_.push_back(std::move(band));
    return ref;
}

}  // namespace kv::report
