#include "search/reports/ReportJobsWin32.h"

#include <windows.h>
#include <winspool.h>

#include <cstdio>

#include "report/EmfPageStoreWin32.h"
#include "report/GdiTargetWin32.h"
#include "search/reports/PreviewFormWin32.h"
#include "search/reports/ReportPrinterWin32.h"
#include "report/MeasureCache.h"
#include "search/reports/PreviewRunWin32.h"
#include "system/files/FileQueries.h"
#include "ui/WaitForm.h"

namespace kv {

namespace {

struct DcOwner {
    HDC dc;
    ~DcOwner() {
        if (dc)
            DeleteDC(dc);
    }
};

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

}  // namespace

bool PrintListReport(const ReportRun& run, const ReportCells& cells, const ReportLook& look,
                     const ui::PrintChoice& choice, ui::UserPrompt& prompt) {
    ReportSettings settings;
    settings.look = look;
    return PrintListReport(run, cells, settings, choice, prompt);
}

bool PrintListReport(const ReportRun& run, const ReportCells& cells, const ReportSettings& settings,
                     const ui::PrintChoice& choice, ui::UserPrompt& prompt) {
    ui::PrinterSettings printerSettings = ReportPrinter(settings, choice.printer);
    int paper = kDefaultPaper;
    if (printerSettings.valid() && !CheckPaperSize(settings, printerSettings, prompt, paper))
        return false;
    const int copies = std::max(1, choice.copies);
    // Collated: whole copies one after another, each a job of its own.
    const int passes = choice.collate ? copies : 1;
    printerSettings.setCopies(choice.collate ? 1 : copies, false);
    const DcOwner printer{printerSettings.valid() ? printerSettings.CreateDC()
                                                  : CreateDCA("WINSPOOL", choice.printer.c_str(), nullptr, nullptr)};
    if (!printer.dc) {
        prompt.showError("The printer \"" + choice.printer + "\" cannot be used.");
        return false;
    }
    const report::PageSetup page = ReportPageOf(printer.dc, settings);
    // Texts are measured on the printer (an information context of its own,
    // the job's context changes with every page); on the screen when it has none.
    const DcOwner info{printerSettings.valid() ? printerSettings.CreateIC()
                                               : CreateICA("WINSPOOL", choice.printer.c_str(), nullptr, nullptr)};
    report::GdiMeasurer gdi(info.dc);
    const report::MeasureCache measurer(gdi);
    for (int copy = 1; copy <= passes; ++copy) {
        JobProgress progress(choice.collate ? "Printing copy #" + std::to_string(copy) + ", please wait..."
                                            : std::string("Preparing to print report, please wait..."));
        ReportForm form(run, cells, settings.look, page);
        progress.follow(form, "Printing");
        report::PrinterTarget job(printer.dc, run.title.empty() ? "Korvalder? report" : run.title);
        job.pictures = LargeIconDrawer();
        const PrintAbortScope abort(printer.dc, [&] { return progress.cancelled(); });
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
    ReportSettings settings;
    settings.look = look;
    return PreviewListReport(run, cells, settings, prompt, print, oldButtons);
}

bool PreviewListReport(const ReportRun& run, const ReportCells& cells, const ReportSettings& settings,
                       ui::UserPrompt& prompt, const std::function<void()>& print, bool oldButtons) {
    // Pages are laid out for the settings' printer and paper, or the screen's without a printer.
    const ui::PrinterSettings printerSettings = ReportPrinter(settings);
    int paper = kDefaultPaper;
    if (printerSettings.valid() && !CheckPaperSize(settings, printerSettings, prompt, paper))
        return false;
    const DcOwner printer{printerSettings.valid() ? printerSettings.CreateIC() : nullptr};
    HDC screen = printer.dc ? nullptr : GetDC(nullptr);
    HDC reference = printer.dc ? printer.dc : screen;
    const report::PageSetup page = printer.dc ? ReportPageOf(printer.dc, settings) : settings.PageOn(794, 1123);
    // Pages beyond the last few used wait in temporary files.
    report::EmfPageStore pages(reference, page.Width, page.Length, GetTempDir());
    pages.pictures = LargeIconDrawer();
    // Measured on the printer the pages are laid out for.
    report::GdiMeasurer gdi(printer.dc);
    const report::MeasureCache measurer(gdi);
    ReportForm form(run, cells, settings.look, page);
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
