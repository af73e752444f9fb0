#include "search/reports/ReportJobsWin32.h"

#include <windows.h>
#include <winspool.h>

#include <cstdio>

#include "report/EmfPageStoreWin32.h"
#include "report/GdiTargetWin32.h"
#include "report/MeasureCache.h"
#include "search/reports/PreviewRunWin32.h"
#include "system/files/FileQueries.h"
#include "ui/WaitForm.h"

namespace kv {

namespace {

constexpr double kMarginMillimetres = 10;

struct DcOwner {
    HDC dc;
    ~DcOwner() {
        if (dc)
            DeleteDC(dc);
    }
};

// The page of a device in design pixels, with the report's margins.
report::PageSetup PageOf(HDC dc) {
    const double width = GetDeviceCaps(dc, PHYSICALWIDTH) * 96.0 / GetDeviceCaps(dc, LOGPIXELSX);
    const double length = GetDeviceCaps(dc, PHYSICALHEIGHT) * 96.0 / GetDeviceCaps(dc, LOGPIXELSY);
    const double margin = report::ToDesignPixels(kMarginMillimetres, report::ReportUnits::Millimetres);
    return {width, length, margin, margin, margin, margin};
}

// The progress window with Cancel for as long as a job runs, closed however it ends.
class JobProgress {
public:
    explicit JobProgress(const std::string& text) { progress_.showWaitWindow(text, false, true); }
    ~JobProgress() { progress_.closeWaitWindow(); }
    JobProgress(const JobProgress&) = delete;
    JobProgress& operator=(const JobProgress&) = delete;
    void say(const std::string& text) {
        progress_.setWaitText(text);
        progress_.stepWaitProgress(0);
    }
    bool cancelled() const { return progress_.cancelPressed(); }
    // Page ends show the page and let Cancel stop the run.
    void follow(ReportForm& form, const std::string& verb) {
        form.report().OnEndPage = [this, verb](report::TBandReport& r) {
            say(verb + " report, page " + std::to_string(r.PageNumber()));
        };
        form.report().OnPageAvailable = [this, &form](report::TBandReport&, int) {
            if (cancelled())
                form.Abort();
        };
    }

private:
    ui::WaitFormProgress progress_;
};

std::string DefaultPrinter() {
    char name[256] = "";
    DWORD size = sizeof name;
    return GetDefaultPrinterA(name, &size) ? std::string(name) : std::string();
}

}  // namespace

bool PrintListReport(const ReportRun& run, const ReportCells& cells, const ReportLook& look,
                     const ui::PrintChoice& choice, ui::UserPrompt& prompt) {
    const DcOwner printer{CreateDCA("WINSPOOL", choice.printer.c_str(), nullptr, nullptr)};
    if (!printer.dc) {
        prompt.showError("The printer \"" + choice.printer + "\" cannot be used.");
        return false;
    }
    const report::PageSetup page = PageOf(printer.dc);
    report::GdiMeasurer measurer;
    // Every copy is a job of its own, whole copies one after another.
    const int copies = std::max(1, choice.copies);
    for (int copy = 1; copy <= copies; ++copy) {
        JobProgress progress(copies > 1 ? "Printing copy #" + std::to_string(copy) + ", please wait..."
                                        : std::string("Preparing to print report, please wait..."));
        ReportForm form(run, cells, look, page);
        progress.follow(form, "Printing");
        report::PrinterTarget job(printer.dc, run.title.empty() ? "Korvalder? report" : run.title);
        if (!form.Run(job, measurer)) {
            if (!progress.cancelled())
                prompt.showError("The report could not be printed.");
            return false;
        }
    }
    return true;
}

bool PreviewListReport(const ReportRun& run, const ReportCells& cells, const ReportLook& look,
                       ui::UserPrompt& prompt, const std::function<void()>& print, bool oldButtons) {
    // Pages are laid out for the default printer's paper, or the screen's without one.
    const DcOwner printer{CreateICA("WINSPOOL", DefaultPrinter().c_str(), nullptr, nullptr)};
    HDC screen = printer.dc ? nullptr : GetDC(nullptr);
    HDC reference = printer.dc ? printer.dc : screen;
    const report::PageSetup page = printer.dc ? PageOf(printer.dc) : report::PageSetup{};
    // Pages beyond the last few used wait in temporary files.
    report::EmfPageStore pages(reference, page.Width, page.Length, GetTempDir());
    report::GdiMeasurer gdi;
    const report::MeasureCache measurer(gdi);
    ReportForm form(run, cells, look, page);
    TPreviewForm preview(oldButtons);
    preview.onPrint = print;
    const PreviewOutcome outcome = RunPreview(preview, form, pages, page, measurer);
    if (screen)
        ReleaseDC(nullptr, screen);
    if (outcome == PreviewOutcome::Empty)
        prompt.showInformation("There is nothing to preview: the list of the report is empty.", "Print Preview");
    return outcome == PreviewOutcome::Shown;
}

bool ExportListReport(const ReportRun& run, const ReportCells& cells, const ReportTextOptions& options,
                      const std::string& path, ui::UserPrompt& prompt) {
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (!file) {
        prompt.showError("Cannot create file " + path + ".");
        return false;
    }
    bool written = true;
    {
        JobProgress progress("Preparing to export report, please wait...");
        const std::size_t rows = run.rows.size() > run.firstRow ? run.rows.size() - run.firstRow : 0;
        ExportReportToText(
            run, cells, options,
            [&](std::string_view piece) {
                written = written && std::fwrite(piece.data(), 1, piece.size(), file) == piece.size();
            },
            [&](std::size_t done) {
                if (done % 20 == 1)
                    progress.say("Exporting report (" + std::to_string(done * 100 / std::max<std::size_t>(1, rows)) +
                                 "%)");
            },
            [&] { return progress.cancelled(); });
    }
    written = std::fclose(file) == 0 && written;
    if (!written) {
        std::remove(path.c_str());
        prompt.showError("Cannot write file " + path + ".");
    }
    return written;
}

std::string ReportTimestampNow() {
    char date[80] = "";
    char time[80] = "";
    GetDateFormatA(LOCALE_USER_DEFAULT, DATE_SHORTDATE, nullptr, nullptr, date, sizeof date);
    GetTimeFormatA(LOCALE_USER_DEFAULT, 0, nullptr, nullptr, time, sizeof time);
    return std::string(date) + ", " + time;
}

}  // namespace kv
