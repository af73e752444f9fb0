#pragma once
// The report form: one TBandReport with the bands of a list report (page
// header, title, catalog/disk/folder headings, column header and detail rows,
// the group summary, the per-page column header and the page footer), fed from
// the command batches. The same form previews, prints and renders in tests.
#include <array>
#include <functional>
#include <memory>
#include <vector>

#include "report/BandReport.h"
#include "search/reports/ReportCommands.h"

namespace kv {

// The report's sections, in the order of the settings' fonts and colours.
enum class ReportSection : std::uint8_t {
    PageHeader, Title, CatalogHeading, DiskHeading, FolderHeading, ColumnHeaders, Details, Summary, PageFooter
};
inline constexpr std::size_t kReportSections = 9;

struct ReportLook {
    std::array<bool, kReportSections> include{true, true, true, true, true, true, true, true, true};
    std::array<report::ReportFont, kReportSections> fonts;
    std::array<std::uint32_t, kReportSections> colors{};
    bool icons = true;
    std::string dateTimeText;
    ReportLook();
};

// A band's height for its font: the section's factor times the font's pixels.
double SectionHeight(ReportSection section, int points);
// The top of the section's labels (the summary's text) for its font; the
// column header and detail labels of every run take theirs from here.
double SectionLabelTop(ReportSection section, int points);
double SummaryLineTop(int points);

class ReportForm {
public:
    ReportForm(const ReportRun& run, const ReportCells& cells, const ReportLook& look, const report::PageSetup& page);
    ReportForm(const ReportForm&) = delete;
    ReportForm& operator=(const ReportForm&) = delete;

    report::TBandReport& report() { return report_; }
    // One run through the target; false when aborted or the target failed.
    bool Run(report::ReportTarget& target, const report::TextMeasurer& measurer);
    void Abort();
    bool Aborted() const { return aborted_; }
    // For each row turned into commands: a batch of many rows (a long list
    // reported as it is) can let messages run and be cancelled.
    std::function<void()> OnRowStep;

    report::TRepBand* band(ReportSection section) const { return bands_[static_cast<std::size_t>(section)]; }

private:
    void Build();
    void CreateColumnLabels(const std::vector<int>& widths);
    bool Included(ReportSection s) const { return look_.include[static_cast<std::size_t>(s)]; }
    void NeedData(bool& more);
    void DetailNeedData(bool& more);
    double Height(ReportSection s) const { return band(s)->Height; }

    const ReportRun& run_;
    const ReportCells& cells_;
    ReportLook look_;
    report::TBandReport report_;
    std::array<report::TRepBand*, kReportSections> bands_{};
    report::TRepLabel* titleLabel_ = nullptr;
    report::TRepLabel* catalogLabel_ = nullptr;
    report::TRepLabel* diskLabel_ = nullptr;
    report::TRepLabel* diskDetailsLabel_ = nullptr;
    report::TRepLabel* folderLabel_ = nullptr;
    report::TRepLabel* summaryLabel_ = nullptr;
    report::TRepImage* iconImage_ = nullptr;
    std::vector<report::TRepLabel*> headerLabels_, detailLabels_, pageHeaderLabels_;

    const report::TextMeasurer* measurer_ = nullptr;
    std::unique_ptr<ReportBatcher> batcher_;
    std::vector<ReportCommand> commands_;
    std::size_t next_ = 0;
    std::ptrdiff_t batchRows_ = 0;
    bool aborted_ = false;
};

}  // namespace kv
