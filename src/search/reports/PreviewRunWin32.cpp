#include "search/reports/PreviewRunWin32.h"

#include "ui/Application.h"
#include "ui/WaitForm.h"

namespace kv {

namespace {

constexpr std::size_t kRowsBetweenMessages = 64;

// However the run ends: the progress window closes (it disables every other
// window) and the run's handlers, which point into this call, are dropped.
class RunScope {
public:
    RunScope(ReportForm& form, ui::WaitFormProgress& progress) : form_(form), progress_(progress) {}
    ~RunScope() {
        report::TBandReport& report = form_.report();
        report.OnEndPage = nullptr;
        report.OnPageAvailable = nullptr;
        report.OnFinished = nullptr;
        form_.OnRowStep = nullptr;
        progress_.closeWaitWindow();
    }
    RunScope(const RunScope&) = delete;
    RunScope& operator=(const RunScope&) = delete;

private:
    ReportForm& form_;
    ui::WaitFormProgress& progress_;
};

}  // namespace

PreviewOutcome RunPreview(TPreviewForm& preview, ReportForm& form, report::EmfPageStore& pages,
                          const report::PageSetup& page, const report::TextMeasurer& measurer) {
    preview.PreparePreview(pages, page.Width, page.Length);
    preview.generationFinished = [&form] { return !form.report().Generating(); };
    preview.aborted = [&form] { return form.Aborted(); };
    preview.abortGeneration = [&form] { form.Abort(); };

    ui::WaitFormProgress progress;
    progress.showWaitWindow("Preparing report preview, please wait...", false, true);
    // Cancel in the progress window aborts the run.
    progress.setCancelProc([&form] { form.Abort(); });
    // The progress window's own pump until the first page; then the preview's
    // messages, so that it stays usable while the next pages are made.
    auto letMessagesRun = [&] {
        if (progress.waitWindowExists()) {
            progress.stepWaitProgress(0);
            return;
        }
        ui::Application& app = ui::Application::instance();
        app.processMessages();
        if (app.terminated())
            form.Abort();
    };
    report::TBandReport& report = form.report();
    report.OnEndPage = [&](report::TBandReport& r) {
        // Until the first page shows, the progress window tells how far it got.
        if (progress.waitWindowExists()) {
            progress.setWaitText("Generating report, page " + std::to_string(r.PageNumber()));
            letMessagesRun();
        }
    };
    report.OnPageAvailable = [&](report::TBandReport&, int number) {
        preview.QRPreviewPageAvailable(number);
        letMessagesRun();
    };
    report.OnFinished = [&preview](report::TBandReport&) { preview.GenerationFinished(); };
    // A long batch of rows comes before its page: Cancel and the preview work meanwhile.
    std::size_t rows = 0;
    form.OnRowStep = [&] {
        if (++rows % kRowsBetweenMessages == 0)
            letMessagesRun();
    };
    bool completed = false;
    {
        RunScope scope(form, progress);
        completed = form.Run(pages, measurer);
    }
    preview.UpdatePreviewStatus();
    if (preview.PageCount() == 0)
        return completed && pages.PageCount() == 0 ? PreviewOutcome::Empty : PreviewOutcome::Cancelled;
    preview.RunUntilClosed();
    return PreviewOutcome::Shown;
}

}  // namespace kv
